#include "TarnKit/Foundation/Lzfse/LzvnDecoder.h"

#include <cstddef>

namespace tarn::lzfse {

namespace {

enum class Opcode {
    SmallDistance, // LLMMMDDD DDDDDDDD: literal, then a match at an 11-bit distance
    MediumDistance, // 101LLMMM DDDDDDMM DDDDDDDD: longer match, 14-bit distance
    LargeDistance, // LLMMM111 DDDDDDDD DDDDDDDD: 16-bit distance
    PreviousDistance, // LLMMM110: match at the distance of the previous match
    SmallLiteral, // 1110LLLL: 1 to 15 literal bytes
    LargeLiteral, // 11100000 LLLLLLLL: 16 to 271 literal bytes
    SmallMatch, // 1111MMMM: match at the previous distance
    LargeMatch, // 11110000 MMMMMMMM: 16 to 271 bytes at the previous distance
    Nop,
    EndOfStream, // followed by seven more bytes
    Invalid,
};

Opcode classify(std::uint8_t op)
{
    if (op >= 0xF0) {
        return op == 0xF0 ? Opcode::LargeMatch : Opcode::SmallMatch;
    }
    if (op >= 0xE0) {
        return op == 0xE0 ? Opcode::LargeLiteral : Opcode::SmallLiteral;
    }
    if (op >= 0xA0 && op <= 0xBF) {
        return Opcode::MediumDistance;
    }
    // The remaining rows hold the small, large and previous distance forms; a few of their codes
    // are reserved (no literal with a previous-distance match makes no sense, and two match
    // length rows at 0x70 and 0xD0 were never assigned).
    if ((op >= 0x70 && op <= 0x7F) || (op >= 0xD0 && op <= 0xDF)) {
        return Opcode::Invalid;
    }
    switch (op & 7) {
    case 7:
        return Opcode::LargeDistance;
    case 6:
        if (op == 0x06) {
            return Opcode::EndOfStream;
        }
        if (op == 0x0E || op == 0x16) {
            return Opcode::Nop;
        }
        return op < 0x40 ? Opcode::Invalid : Opcode::PreviousDistance;
    default:
        return Opcode::SmallDistance;
    }
}

constexpr std::size_t kEndOfStreamSize = 8;

} // namespace

bool LzvnDecoder::decodeBlock(std::span<const std::uint8_t> payload, OutputWindow& output)
{
    std::size_t position = 0;
    std::size_t distance = 0; // no match yet: a previous-distance opcode now is an error

    while (position < payload.size()) {
        const std::uint8_t op = payload[position];
        const std::size_t available = payload.size() - position;
        std::size_t opcodeSize = 1;
        std::size_t literals = 0;
        std::size_t match = 0;

        switch (classify(op)) {
        case Opcode::SmallDistance:
            opcodeSize = 2;
            if (available < opcodeSize) {
                return false;
            }
            literals = op >> 6;
            match = ((op >> 3) & 7) + 3;
            distance = (static_cast<std::size_t>(op & 7) << 8) | payload[position + 1];
            break;
        case Opcode::MediumDistance: {
            opcodeSize = 3;
            if (available < opcodeSize) {
                return false;
            }
            const std::size_t word = payload[position + 1] | (static_cast<std::size_t>(payload[position + 2]) << 8);
            literals = (op >> 3) & 3;
            match = (((op & 7u) << 2) | (word & 3)) + 3;
            distance = word >> 2;
            break;
        }
        case Opcode::LargeDistance:
            opcodeSize = 3;
            if (available < opcodeSize) {
                return false;
            }
            literals = op >> 6;
            match = ((op >> 3) & 7) + 3;
            distance = payload[position + 1] | (static_cast<std::size_t>(payload[position + 2]) << 8);
            break;
        case Opcode::PreviousDistance:
            literals = op >> 6;
            match = ((op >> 3) & 7) + 3;
            break;
        case Opcode::SmallLiteral:
            literals = op & 0x0F;
            break;
        case Opcode::LargeLiteral:
            opcodeSize = 2;
            if (available < opcodeSize) {
                return false;
            }
            literals = payload[position + 1] + 16u;
            break;
        case Opcode::SmallMatch:
            match = op & 0x0F;
            break;
        case Opcode::LargeMatch:
            opcodeSize = 2;
            if (available < opcodeSize) {
                return false;
            }
            match = payload[position + 1] + 16u;
            break;
        case Opcode::Nop:
            break;
        case Opcode::EndOfStream:
            // The block ends with this opcode exactly; anything after it would be unexplained.
            return available == kEndOfStreamSize && output.isComplete();
        case Opcode::Invalid:
            return false;
        }

        if (available - opcodeSize < literals) {
            return false;
        }
        position += opcodeSize;
        if (!output.appendLiterals(payload.data() + position, literals)) {
            return false;
        }
        position += literals;
        if (match > 0 && !output.appendMatch(distance, match)) {
            return false;
        }
    }
    return false; // the payload ran out before its end-of-stream opcode
}

} // namespace tarn::lzfse
