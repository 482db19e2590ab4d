#include "TarnKit/Foundation/Lzfse/LzfseDecoder.h"

#include <cstdint>
#include <cstring>
#include <span>

#include "TarnKit/Foundation/Lzfse/DecodedBuffer.h"
#include "TarnKit/Foundation/Lzfse/FseBlockDecoder.h"
#include "TarnKit/Foundation/Lzfse/LittleEndian.h"
#include "TarnKit/Foundation/Lzfse/LzvnDecoder.h"
#include "TarnKit/Foundation/Lzfse/OutputWindow.h"

namespace tarn {

namespace {

// Block magics, read as little-endian words: "bvx" followed by the block kind.
constexpr std::uint32_t kEndOfStreamMagic = 0x24787662; // bvx$
constexpr std::uint32_t kUncompressedMagic = 0x2d787662; // bvx-
constexpr std::uint32_t kPlainTablesMagic = 0x31787662; // bvx1
constexpr std::uint32_t kPackedTablesMagic = 0x32787662; // bvx2
constexpr std::uint32_t kLzvnMagic = 0x6e787662; // bvxn

constexpr std::size_t kUncompressedHeaderSize = 8;
constexpr std::size_t kLzvnHeaderSize = 12;

} // namespace

std::optional<std::string> LzfseDecoder::decompress(std::string_view compressed, std::size_t outputLimit)
{
    const std::span<const std::uint8_t> input(
        reinterpret_cast<const std::uint8_t*>(compressed.data()), compressed.size());
    lzfse::DecodedBuffer output(outputLimit);
    std::size_t position = 0;

    // Every block starts with its magic and announces its decoded size; a size beyond the limit
    // fails before the block is decoded.
    while (input.size() - position >= 4) {
        const auto rest = input.subspan(position);
        switch (lzfse::loadLe32(rest, 0)) {
        case kEndOfStreamMagic:
            // Whatever follows the end marker is not part of the stream and is ignored.
            return std::move(output).release();
        case kUncompressedMagic: {
            if (rest.size() < kUncompressedHeaderSize) {
                return std::nullopt;
            }
            const std::uint32_t rawBytes = lzfse::loadLe32(rest, 4);
            if (rawBytes > output.room() || rawBytes > rest.size() - kUncompressedHeaderSize) {
                return std::nullopt;
            }
            if (rawBytes > 0) {
                std::memcpy(output.extend(rawBytes), rest.data() + kUncompressedHeaderSize, rawBytes);
            }
            position += kUncompressedHeaderSize + rawBytes;
            break;
        }
        case kLzvnMagic: {
            if (rest.size() < kLzvnHeaderSize) {
                return std::nullopt;
            }
            const std::uint32_t rawBytes = lzfse::loadLe32(rest, 4);
            const std::uint32_t payloadBytes = lzfse::loadLe32(rest, 8);
            if (rawBytes > output.room() || payloadBytes > rest.size() - kLzvnHeaderSize) {
                return std::nullopt;
            }
            lzfse::OutputWindow window(output, rawBytes);
            if (!lzfse::LzvnDecoder::decodeBlock(rest.subspan(kLzvnHeaderSize, payloadBytes), window)) {
                return std::nullopt;
            }
            position += kLzvnHeaderSize + payloadBytes;
            break;
        }
        case kPlainTablesMagic:
        case kPackedTablesMagic: {
            const auto kind = lzfse::loadLe32(rest, 0) == kPlainTablesMagic
                ? lzfse::FseBlockDecoder::HeaderKind::Plain
                : lzfse::FseBlockDecoder::HeaderKind::Packed;
            const std::size_t used = lzfse::FseBlockDecoder::decodeBlock(kind, rest, output);
            if (used == 0) {
                return std::nullopt;
            }
            position += used;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt; // the input ended before its end-of-stream block
}

} // namespace tarn
