#pragma once

// Decodes LZFSE entropy-coded blocks ("bvx1" with plain frequency tables, "bvx2" with packed
// ones). A block carries literals through four interleaved FSE streams and the
// literal-length / match-length / distance triples through three more, each payload read
// backwards.

#include <cstddef>
#include <cstdint>
#include <span>

#include "TarnKit/Foundation/Lzfse/DecodedBuffer.h"

namespace tarn::lzfse {

class FseBlockDecoder {
public:
    enum class HeaderKind { Plain, Packed };

    // Decodes the block at the start of input (magic included) and appends its bytes to output.
    // Returns the number of input bytes the block occupies, or 0 when the block is truncated,
    // invalid, or would take output past its limit.
    [[nodiscard]] static std::size_t decodeBlock(
        HeaderKind kind, std::span<const std::uint8_t> input, DecodedBuffer& output);
};

} // namespace tarn::lzfse
