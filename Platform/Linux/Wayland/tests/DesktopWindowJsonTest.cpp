#include "Platform/Linux/Wayland/DesktopWindowJson.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input {

// Failures show the windows, not their bytes.
void PrintTo(const DesktopWindow& window, std::ostream* out)
{
    *out << "{\"" << window.appID << "\", \"" << window.title << "\", " << window.pid << ", " << window.focused << "}";
}

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
        // A pid once came through nlohmann's unsigned reading and wrapped to -1.
        {"pids no process can have",
            R"([{"pid": 18446744073709551615}, {"pid": 2147483648}, {"pid": -5}, {"pid": 0}, {"pid": 1.5},)"
            R"( {"pid": 4194304}])",
            {{}, {}, {}, {}, {}, {"", "", 4194304, false}}},
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

    // The list once went to nlohmann directly: 4 MB of '[' built a tree of 150 MB. The kit's
    // reader measures the text first and refuses it whole, however well-formed the rest.
    const auto nested = [](std::size_t depth) {
        return R"([{"appId": "foot", "extra": )" + std::string(depth, '[') + std::string(depth, ']') + "}]";
    };
    EXPECT_EQ(DesktopWindowJson::parseList(nested(StrictJson::kMaxDepth - 2)).size(), 1u);
    EXPECT_TRUE(DesktopWindowJson::parseList(nested(StrictJson::kMaxDepth - 1)).empty());
    EXPECT_TRUE(DesktopWindowJson::parseList(std::string(DesktopWindowJson::kMaximumBytes, '[')).empty());
}

} // namespace
} // namespace tarn::input
