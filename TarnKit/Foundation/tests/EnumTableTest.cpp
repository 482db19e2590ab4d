#include "TarnKit/Foundation/Basics/EnumTable.h"

#include <cstdint>
#include <string_view>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Cases that start above zero, as button numbers do.
enum class Button : std::int64_t { middle = 2, back = 3, forward = 4 };

struct ButtonRow {
    Button value;
    std::int64_t raw;
    std::string_view label;
};

constexpr EnumTable kButtons {std::to_array<ButtonRow>({
    {Button::middle, 2, "Middle"},
    {Button::back, 3, "Back"},
    {Button::forward, 4, "Forward"},
})};

TEST(EnumTableTest, FindsRowsByCaseAndCasesByRawValue)
{
    static_assert(kButtons[Button::back].label == "Back");
    static_assert(kButtons.covers(std::array {Button::middle, Button::back, Button::forward}));
    static_assert(!kButtons.covers(std::array {Button::middle, Button::back}));
    static_assert(!kButtons.covers(std::array {Button::middle, Button::forward, Button::back}));

    const struct {
        std::int64_t raw;
        std::optional<Button> expected;
    } cases[] = {{2, Button::middle}, {4, Button::forward}, {0, std::nullopt}, {5, std::nullopt}, {-3, std::nullopt}};
    for (const auto& testCase : cases) {
        EXPECT_EQ(kButtons.fromRaw(testCase.raw), testCase.expected) << testCase.raw;
    }
}

TEST(EnumTableTest, AValueOutsideTheCasesGetsTheFirstRow)
{
    EXPECT_EQ(kButtons[static_cast<Button>(1)].label, "Middle");
    EXPECT_EQ(kButtons[static_cast<Button>(9)].label, "Middle");
}

} // namespace
} // namespace tarn
