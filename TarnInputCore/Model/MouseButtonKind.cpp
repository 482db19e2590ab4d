#include "TarnInputCore/Model/MouseButtonKind.h"

namespace tarn::input {

std::optional<MouseButtonKind> mouseButtonKindFromRawValue(std::int64_t raw)
{
    switch (raw) {
    case 2:
        return MouseButtonKind::middle;
    case 3:
        return MouseButtonKind::sideBack;
    case 4:
        return MouseButtonKind::sideForward;
    default:
        return std::nullopt;
    }
}

std::string_view labelEN(MouseButtonKind kind)
{
    switch (kind) {
    case MouseButtonKind::middle:
        return "Middle Click (Wheel)";
    case MouseButtonKind::sideBack:
        return "Side Button 4 (Back)";
    case MouseButtonKind::sideForward:
        return "Side Button 5 (Forward)";
    }
    return {};
}

std::string_view labelTR(MouseButtonKind kind)
{
    switch (kind) {
    case MouseButtonKind::middle:
        return "Orta Tık (Tekerlek)";
    case MouseButtonKind::sideBack:
        return "Yan Tuş 4 (Geri)";
    case MouseButtonKind::sideForward:
        return "Yan Tuş 5 (İleri)";
    }
    return {};
}

} // namespace tarn::input
