#include "TarnKit/Foundation/Lzfse/FseBlockDecoder.h"

#include <array>
#include <optional>
#include <vector>

#include "TarnKit/Foundation/Lzfse/BackwardBitReader.h"
#include "TarnKit/Foundation/Lzfse/FseTable.h"
#include "TarnKit/Foundation/Lzfse/LittleEndian.h"
#include "TarnKit/Foundation/Lzfse/OutputWindow.h"

namespace tarn::lzfse {

namespace {

constexpr std::size_t kLSymbols = 20;
constexpr std::size_t kMSymbols = 20;
constexpr std::size_t kDSymbols = 64;
constexpr std::size_t kLiteralSymbols = 256;
constexpr std::size_t kFrequencyCount = kLSymbols + kMSymbols + kDSymbols + kLiteralSymbols;

constexpr std::uint32_t kLStates = 64;
constexpr std::uint32_t kMStates = 64;
constexpr std::uint32_t kDStates = 256;
constexpr std::uint32_t kLiteralStates = 1024;

// The encoder never puts more than this in one block; the bound also caps the literal buffer.
constexpr std::uint32_t kMaxMatchesPerBlock = 10000;
constexpr std::uint32_t kMaxLiteralsPerBlock = 4 * kMaxMatchesPerBlock;

// The plain header is the encoder's in-memory record written out as is: seven 32-bit counts,
// the literal stream's final bit count and four states, the L/M/D stream's final bit count and
// three states, then the four frequency tables as 16-bit values, and two bytes of padding that
// round the record up to a multiple of four.
constexpr std::size_t kPlainHeaderSize = 772;
// The packed header: magic, raw size and three 64-bit words of bit fields, then the frequency
// tables in a variable-length code up to the header size recorded in the third word.
constexpr std::size_t kPackedFixedSize = 32;

// Literal lengths, match lengths and distances are coded as a symbol with a base value plus
// the given number of raw extra bits; each symbol's base follows the previous symbol's range.
constexpr std::array<std::uint8_t, kLSymbols> kLExtraBits {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 5, 8};
constexpr std::array<std::uint8_t, kMSymbols> kMExtraBits {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 5, 8, 11};
constexpr std::array<std::uint8_t, kDSymbols> kDExtraBits = [] {
    std::array<std::uint8_t, kDSymbols> bits {};
    for (std::size_t i = 0; i < kDSymbols; ++i) {
        bits[i] = static_cast<std::uint8_t>(i / 4);
    }
    return bits;
}();

template <std::size_t N>
constexpr std::array<std::uint32_t, N> baseValuesFor(const std::array<std::uint8_t, N>& extraBits)
{
    std::array<std::uint32_t, N> bases {};
    for (std::size_t i = 1; i < N; ++i) {
        bases[i] = bases[i - 1] + (std::uint32_t {1} << extraBits[i - 1]);
    }
    return bases;
}

constexpr auto kLBaseValues = baseValuesFor(kLExtraBits);
constexpr auto kMBaseValues = baseValuesFor(kMExtraBits);
constexpr auto kDBaseValues = baseValuesFor(kDExtraBits);
static_assert(kLBaseValues.back() == 60 && kMBaseValues.back() == 312 && kDBaseValues.back() == 229372);

struct BlockHeader {
    std::size_t headerSize = 0;
    std::uint32_t rawBytes = 0;
    std::uint32_t literalCount = 0;
    std::uint32_t matchCount = 0;
    std::uint32_t literalPayloadBytes = 0;
    std::uint32_t lmdPayloadBytes = 0;
    std::int32_t literalBits = 0; // final bit count relative to a whole byte: -7 ... 0
    std::int32_t lmdBits = 0;
    std::array<std::uint32_t, 4> literalStates {};
    std::uint32_t lState = 0;
    std::uint32_t mState = 0;
    std::uint32_t dState = 0;
    std::array<std::uint16_t, kFrequencyCount> frequencies {}; // L, M, D, then literal tables
};

std::optional<BlockHeader> parsePlainHeader(std::span<const std::uint8_t> input)
{
    if (input.size() < kPlainHeaderSize) {
        return std::nullopt;
    }
    BlockHeader header;
    header.headerSize = kPlainHeaderSize;
    header.rawBytes = loadLe32(input, 4);
    // Offset 8 holds the total payload size, which is the sum of the two sizes read below.
    header.literalCount = loadLe32(input, 12);
    header.matchCount = loadLe32(input, 16);
    header.literalPayloadBytes = loadLe32(input, 20);
    header.lmdPayloadBytes = loadLe32(input, 24);
    header.literalBits = static_cast<std::int32_t>(loadLe32(input, 28));
    for (std::size_t i = 0; i < 4; ++i) {
        header.literalStates[i] = loadLe16(input, 32 + 2 * i);
    }
    header.lmdBits = static_cast<std::int32_t>(loadLe32(input, 40));
    header.lState = loadLe16(input, 44);
    header.mState = loadLe16(input, 46);
    header.dState = loadLe16(input, 48);
    for (std::size_t i = 0; i < kFrequencyCount; ++i) {
        header.frequencies[i] = loadLe16(input, 50 + 2 * i);
    }
    return header;
}

// One frequency from the low bits of `bits`, in a prefix code that favours small values:
//   x0 -> 0 or 1 (2 bits), x01 -> 2 or 3 (3 bits), xx011 -> 4...7 (5 bits),
//   xxxx0111 -> 8...23 (8 bits), 10 bits + 1111 -> 24...1047 (14 bits).
std::uint16_t decodeFrequency(std::uint32_t bits, unsigned& length)
{
    if ((bits & 1) == 0) {
        length = 2;
        return static_cast<std::uint16_t>((bits >> 1) & 1);
    }
    if ((bits & 2) == 0) {
        length = 3;
        return static_cast<std::uint16_t>(2 + ((bits >> 2) & 1));
    }
    if ((bits & 4) == 0) {
        length = 5;
        return static_cast<std::uint16_t>(4 + ((bits >> 3) & 3));
    }
    if ((bits & 8) == 0) {
        length = 8;
        return static_cast<std::uint16_t>(8 + ((bits >> 4) & 0x0F));
    }
    length = 14;
    return static_cast<std::uint16_t>(24 + ((bits >> 4) & 0x3FF));
}

std::uint32_t field(std::uint64_t word, unsigned offset, unsigned width)
{
    return static_cast<std::uint32_t>((word >> offset) & ((std::uint64_t {1} << width) - 1));
}

std::optional<BlockHeader> parsePackedHeader(std::span<const std::uint8_t> input)
{
    if (input.size() < kPackedFixedSize) {
        return std::nullopt;
    }
    const std::uint64_t word0 = loadLe64(input, 8);
    const std::uint64_t word1 = loadLe64(input, 16);
    const std::uint64_t word2 = loadLe64(input, 24);

    BlockHeader header;
    header.rawBytes = loadLe32(input, 4);
    header.literalCount = field(word0, 0, 20);
    header.literalPayloadBytes = field(word0, 20, 20);
    header.matchCount = field(word0, 40, 20);
    header.literalBits = static_cast<std::int32_t>(field(word0, 60, 3)) - 7;
    for (unsigned i = 0; i < 4; ++i) {
        header.literalStates[i] = field(word1, 10 * i, 10);
    }
    header.lmdPayloadBytes = field(word1, 40, 20);
    header.lmdBits = static_cast<std::int32_t>(field(word1, 60, 3)) - 7;
    header.headerSize = field(word2, 0, 32);
    header.lState = field(word2, 32, 10);
    header.mState = field(word2, 42, 10);
    header.dState = field(word2, 52, 10);

    if (header.headerSize < kPackedFixedSize || header.headerSize > input.size()) {
        return std::nullopt;
    }
    if (header.headerSize == kPackedFixedSize) {
        return header; // no tables: every frequency is zero
    }

    // The codes are packed from the least significant bit of each byte on; the tables must end
    // exactly at the header's end, short of one whole unused byte.
    std::size_t next = kPackedFixedSize;
    std::uint32_t accumulator = 0;
    unsigned accumulatorBits = 0;
    for (std::uint16_t& frequency : header.frequencies) {
        while (next < header.headerSize && accumulatorBits + 8 <= 32) {
            accumulator |= static_cast<std::uint32_t>(input[next++]) << accumulatorBits;
            accumulatorBits += 8;
        }
        unsigned length = 0;
        frequency = decodeFrequency(accumulator, length);
        if (length > accumulatorBits) {
            return std::nullopt;
        }
        accumulator >>= length;
        accumulatorBits -= length;
    }
    if (next != header.headerSize || accumulatorBits >= 8) {
        return std::nullopt;
    }
    return header;
}

bool isSound(const BlockHeader& header)
{
    const auto validFinalBits = [](std::int32_t bits) { return bits >= -7 && bits <= 0; };
    return header.literalCount <= kMaxLiteralsPerBlock && header.matchCount <= kMaxMatchesPerBlock
        && validFinalBits(header.literalBits) && validFinalBits(header.lmdBits)
        && header.literalStates[0] < kLiteralStates && header.literalStates[1] < kLiteralStates
        && header.literalStates[2] < kLiteralStates && header.literalStates[3] < kLiteralStates
        && header.lState < kLStates && header.mState < kMStates && header.dState < kDStates;
}

struct Tables {
    FseTable literal;
    FseTable l;
    FseTable m;
    FseTable d;
};

std::optional<Tables> buildTables(const BlockHeader& header)
{
    const std::span<const std::uint16_t> all(header.frequencies);
    auto l = FseTable::build(all.subspan(0, kLSymbols), kLStates, {kLExtraBits, kLBaseValues});
    auto m = FseTable::build(all.subspan(kLSymbols, kMSymbols), kMStates, {kMExtraBits, kMBaseValues});
    auto d = FseTable::build(all.subspan(kLSymbols + kMSymbols, kDSymbols), kDStates, {kDExtraBits, kDBaseValues});
    auto literal = FseTable::build(all.subspan(kLSymbols + kMSymbols + kDSymbols), kLiteralStates);
    if (!l || !m || !d || !literal) {
        return std::nullopt;
    }
    return Tables {std::move(*literal), std::move(*l), std::move(*m), std::move(*d)};
}

// The four literal streams take turns, one literal each, so the count is rounded up to four.
std::optional<std::vector<std::uint8_t>> decodeLiterals(
    const BlockHeader& header, const FseTable& table, std::span<const std::uint8_t> payload)
{
    std::vector<std::uint8_t> literals((header.literalCount + 3) & ~std::uint32_t {3});
    BackwardBitReader reader(payload, static_cast<unsigned>(-header.literalBits));
    std::array<std::uint32_t, 4> states = header.literalStates;
    for (std::size_t i = 0; i < literals.size(); i += 4) {
        for (std::size_t stream = 0; stream < 4; ++stream) {
            literals[i + stream] = static_cast<std::uint8_t>(table.decode(states[stream], reader));
        }
    }
    if (reader.failed()) {
        return std::nullopt;
    }
    return literals;
}

bool decodeMatches(const BlockHeader& header, const Tables& tables, std::span<const std::uint8_t> literals,
    std::span<const std::uint8_t> payload, OutputWindow& output)
{
    BackwardBitReader reader(payload, static_cast<unsigned>(-header.lmdBits));
    std::uint32_t lState = header.lState;
    std::uint32_t mState = header.mState;
    std::uint32_t dState = header.dState;
    std::size_t distance = 0; // a zero distance repeats the previous one; none exists yet
    std::size_t literalsUsed = 0;

    for (std::uint32_t i = 0; i < header.matchCount; ++i) {
        const std::uint32_t literalLength = tables.l.decode(lState, reader);
        const std::uint32_t matchLength = tables.m.decode(mState, reader);
        const std::uint32_t newDistance = tables.d.decode(dState, reader);
        if (reader.failed()) {
            return false;
        }
        if (newDistance != 0) {
            distance = newDistance;
        }
        // Only the literals the header counted are real; the rest of the last group of four is
        // padding.
        if (literalLength > header.literalCount - literalsUsed
            || !output.appendLiterals(literals.data() + literalsUsed, literalLength)) {
            return false;
        }
        literalsUsed += literalLength;
        if (!output.appendMatch(distance, matchLength)) {
            return false;
        }
    }
    return output.isComplete();
}

} // namespace

std::size_t FseBlockDecoder::decodeBlock(HeaderKind kind, std::span<const std::uint8_t> input, DecodedBuffer& output)
{
    const std::optional<BlockHeader> header
        = kind == HeaderKind::Plain ? parsePlainHeader(input) : parsePackedHeader(input);
    if (!header || !isSound(*header) || header->rawBytes > output.room()) {
        return 0;
    }
    const std::size_t blockSize
        = header->headerSize + std::size_t {header->literalPayloadBytes} + header->lmdPayloadBytes;
    if (blockSize > input.size()) {
        return 0;
    }

    const std::optional<Tables> tables = buildTables(*header);
    if (!tables) {
        return 0;
    }
    const auto literalPayload = input.subspan(header->headerSize, header->literalPayloadBytes);
    const auto lmdPayload = input.subspan(header->headerSize + header->literalPayloadBytes, header->lmdPayloadBytes);

    const std::optional<std::vector<std::uint8_t>> literals = decodeLiterals(*header, tables->literal, literalPayload);
    if (!literals) {
        return 0;
    }
    OutputWindow window(output, header->rawBytes);
    if (!decodeMatches(*header, *tables, *literals, lmdPayload, window)) {
        return 0;
    }
    return blockSize;
}

} // namespace tarn::lzfse
