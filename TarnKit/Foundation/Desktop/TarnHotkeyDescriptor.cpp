#include "TarnKit/Foundation/Desktop/TarnHotkeyDescriptor.h"

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn {

nlohmann::json TarnHotkeyDescriptor::toJson() const
{
    return nlohmann::json {{"keyCode", m_keyCode}, {"carbonModifiers", m_carbonModifiers}};
}

std::optional<TarnHotkeyDescriptor> TarnHotkeyDescriptor::fromJson(const nlohmann::json& value)
{
    if (!value.is_object()) {
        return std::nullopt;
    }
    const auto keyCode = value.find("keyCode");
    const auto modifiers = value.find("carbonModifiers");
    if (keyCode == value.end() || modifiers == value.end()) {
        return std::nullopt;
    }
    const auto keyCodeValue = StrictJson::integer<std::uint32_t>(*keyCode);
    const auto modifiersValue = StrictJson::integer<std::uint32_t>(*modifiers);
    if (!keyCodeValue || !modifiersValue) {
        return std::nullopt;
    }
    return TarnHotkeyDescriptor(*keyCodeValue, *modifiersValue);
}

} // namespace tarn
