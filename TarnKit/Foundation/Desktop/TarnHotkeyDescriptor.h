#pragma once

// One global shortcut: a virtual key code of the ANSI keyboard layout (4 is H) and a modifier
// mask in which Command, Shift, Option and Control have the bit values below. This is the stored
// form on every platform; the hotkey backend translates it to the window system's keys.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include <nlohmann/json.hpp>

namespace tarn {

class TarnHotkeyDescriptor {
public:
    static constexpr std::uint32_t commandMask = 256;
    static constexpr std::uint32_t shiftMask = 512;
    static constexpr std::uint32_t optionMask = 2048;
    static constexpr std::uint32_t controlMask = 4096;

    static constexpr std::uint32_t cmdShiftFlag = commandMask | shiftMask; // 768
    static constexpr std::uint32_t cmdOptionFlag = commandMask | optionMask; // 2304

    constexpr TarnHotkeyDescriptor(std::uint32_t keyCode, std::uint32_t carbonModifiers)
        : m_keyCode(keyCode)
        , m_carbonModifiers(carbonModifiers)
    {
    }

    constexpr std::uint32_t keyCode() const { return m_keyCode; }
    constexpr std::uint32_t carbonModifiers() const { return m_carbonModifiers; }

    bool operator==(const TarnHotkeyDescriptor&) const = default;

    // {"carbonModifiers": 2304, "keyCode": 4}
    nlohmann::json toJson() const;
    // Both keys are required and must be integers that fit 32 unsigned bits; other keys are ignored.
    static std::optional<TarnHotkeyDescriptor> fromJson(const nlohmann::json& value);

private:
    std::uint32_t m_keyCode;
    std::uint32_t m_carbonModifiers;
};

} // namespace tarn

template <> struct std::hash<tarn::TarnHotkeyDescriptor> {
    std::size_t operator()(const tarn::TarnHotkeyDescriptor& descriptor) const noexcept
    {
        const auto combined = (static_cast<std::uint64_t>(descriptor.keyCode()) << 32) | descriptor.carbonModifiers();
        return std::hash<std::uint64_t> {}(combined);
    }
};
