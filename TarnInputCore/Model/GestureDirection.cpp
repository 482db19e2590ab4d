#include "TarnInputCore/Model/GestureDirection.h"

#include <cstddef>

namespace tarn::input {

namespace {

struct DirectionText {
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
    std::string_view symbol;
};

constexpr std::array<DirectionText, 4> kTexts {{
    {"up", "Drag Up", "Yukarı Sürükle", "arrow.up.circle.fill"},
    {"down", "Drag Down", "Aşağı Sürükle", "arrow.down.circle.fill"},
    {"left", "Drag Left", "Sola Sürükle", "arrow.left.circle.fill"},
    {"right", "Drag Right", "Sağa Sürükle", "arrow.right.circle.fill"},
}};

const DirectionText& textOf(GestureDirection direction)
{
    return kTexts[static_cast<std::size_t>(direction)];
}

} // namespace

std::string_view rawValue(GestureDirection direction)
{
    return textOf(direction).raw;
}

std::optional<GestureDirection> gestureDirectionFromRawValue(std::string_view raw)
{
    for (const auto direction : kAllGestureDirections) {
        if (textOf(direction).raw == raw) {
            return direction;
        }
    }
    return std::nullopt;
}

std::string_view labelEN(GestureDirection direction)
{
    return textOf(direction).en;
}

std::string_view labelTR(GestureDirection direction)
{
    return textOf(direction).tr;
}

std::string_view symbolName(GestureDirection direction)
{
    return textOf(direction).symbol;
}

} // namespace tarn::input
