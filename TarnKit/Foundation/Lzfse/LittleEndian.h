#pragma once

// Little-endian loads for the fixed-width header fields of the block formats. Callers check the
// bounds; these only assemble bytes so that alignment and host byte order never matter.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarn::lzfse {

[[nodiscard]] inline std::uint16_t loadLe16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] inline std::uint32_t loadLe32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

[[nodiscard]] inline std::uint64_t loadLe64(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

} // namespace tarn::lzfse
