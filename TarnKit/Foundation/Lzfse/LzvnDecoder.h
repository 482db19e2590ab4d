#pragma once

// Decodes the payload of an LZVN block: a byte-aligned sequence of opcodes, each carrying a few
// literal bytes, a match, or both, closed by an end-of-stream opcode.

#include <cstdint>
#include <span>

#include "TarnKit/Foundation/Lzfse/OutputWindow.h"

namespace tarn::lzfse {

class LzvnDecoder {
public:
    // Appends the block's bytes to output. False unless the payload ends exactly with its
    // end-of-stream opcode and the block filled output completely; output then holds junk.
    [[nodiscard]] static bool decodeBlock(std::span<const std::uint8_t> payload, OutputWindow& output);
};

} // namespace tarn::lzfse
