#include "Platform/Linux/Wayland/DesktopWindowJson.h"

#include <string>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

TEST(DesktopWindowJson, ReadsWhatIsThereAndNothingElse)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<DesktopWindow> expected;
    };
    const Case cases[] = {
        {"a full entry", R"([{"appId": "org.gnome.Nautilus.desktop", "title": "Home", "pid": 42, "focused": true}])",
            {{"org.gnome.Nautilus.desktop", "Home", 42, true}}},
        {"missing fields", R"([{"appId": "foot"}, {}])", {{"foot", "", 0, false}, {"", "", 0, false}}},
        {"fields of the wrong type", R"([{"appId": 7, "title": null, "pid": "42", "focused": 1}])", {{}}},
        {"entries that are no objects", R"([1, "two", [3], {"appId": "foot"}])", {{"foot", "", 0, false}}},
        {"unknown fields", R"([{"appId": "foot", "workspace": 2}])", {{"foot", "", 0, false}}},
        {"an object, not a list", R"({"appId": "foot"})", {}},
        {"cut short", R"([{"appId": "foot")", {}},
        {"empty", "", {}},
        {"deeply nested", std::string(100000, '[') + std::string(100000, ']'), {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(DesktopWindowJson::parseList(test.text), test.expected) << test.what;
    }
}

TEST(DesktopWindowJson, BoundsWhatItReads)
{
    std::string many = "[";
    for (std::size_t i = 0; i < DesktopWindowJson::kMaximumWindows + 10; ++i) {
        many += R"({"appId": "a"},)";
    }
    many.back() = ']';
    EXPECT_EQ(DesktopWindowJson::parseList(many).size(), DesktopWindowJson::kMaximumWindows);

    const std::string huge = R"([{"appId": ")" + std::string(DesktopWindowJson::kMaximumBytes, 'a') + R"("}])";
    EXPECT_TRUE(DesktopWindowJson::parseList(huge).empty());
}

} // namespace
} // namespace tarn::input
