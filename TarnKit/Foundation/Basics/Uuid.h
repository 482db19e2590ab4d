#pragma once

// A 128-bit identifier. New ones are random (version 4); the text form is the canonical
// 8-4-4-4-12 hexadecimal form, written upper-case and read in either case.

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

struct Uuid {
    std::array<std::uint8_t, 16> bytes {};

    // Version 4, variant 1, from the kernel's random source.
    static Uuid random();
    // Only the canonical 36-character form (hex digits in either case); nothing else is accepted.
    static std::optional<Uuid> parse(std::string_view text);
    // Upper-case canonical form, 36 characters.
    std::string toString() const;

    auto operator<=>(const Uuid&) const = default;
    bool operator==(const Uuid&) const = default;
};

} // namespace tarn

template <> struct std::hash<tarn::Uuid> {
    std::size_t operator()(const tarn::Uuid& uuid) const noexcept;
};
