#include "TarnInputCore/Model/KeyHUDPosition.h"

#include <cstddef>

namespace tarn::input {

namespace {

struct PositionText {
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
};

constexpr std::array<PositionText, 4> kTexts {{
    {"bottomCenter", "Bottom Center", "Alt Orta"},
    {"bottomLeft", "Bottom Left", "Alt Sol"},
    {"bottomRight", "Bottom Right", "Alt Sağ"},
    {"topRight", "Top Right", "Üst Sağ"},
}};

const PositionText& textOf(KeyHUDPosition position)
{
    return kTexts[static_cast<std::size_t>(position)];
}

} // namespace

std::string_view rawValue(KeyHUDPosition position)
{
    return textOf(position).raw;
}

std::optional<KeyHUDPosition> keyHUDPositionFromRawValue(std::string_view raw)
{
    for (const auto position : kAllKeyHUDPositions) {
        if (textOf(position).raw == raw) {
            return position;
        }
    }
    return std::nullopt;
}

std::string_view labelEN(KeyHUDPosition position)
{
    return textOf(position).en;
}

std::string_view labelTR(KeyHUDPosition position)
{
    return textOf(position).tr;
}

} // namespace tarn::input
