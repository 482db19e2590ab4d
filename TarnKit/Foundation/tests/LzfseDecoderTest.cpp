#include "TarnKit/Foundation/Lzfse/LzfseDecoder.h"

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarn {
namespace {

std::string readData(const std::string& name)
{
    std::ifstream file(std::string(TARN_TEST_DATA_DIR "/lzfse/") + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void putLe32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string le32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    putLe32(bytes, 0, value);
    return bytes;
}

std::uint32_t getLe32(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
}

std::uint64_t getLe64(const std::string& bytes, std::size_t offset)
{
    return getLe32(bytes, offset) | (std::uint64_t {getLe32(bytes, offset + 4)} << 32);
}

const std::string kEnd = "bvx$";

// The stream without its end marker, so that blocks of several streams can be chained.
std::string blocksOf(const std::string& stream)
{
    EXPECT_EQ(stream.substr(stream.size() - 4), kEnd);
    return stream.substr(0, stream.size() - 4);
}

std::string uncompressedBlock(const std::string& raw)
{
    return "bvx-" + le32(static_cast<std::uint32_t>(raw.size())) + raw;
}

std::string lzvnStream(const std::string& payload, std::uint32_t rawBytes)
{
    const std::string withEnd = payload + std::string("\x06\0\0\0\0\0\0\0", 8);
    return "bvxn" + le32(rawBytes) + le32(static_cast<std::uint32_t>(withEnd.size())) + withEnd + kEnd;
}

// Rewrites every packed-table block ("bvx2") of a stream into the plain-table form ("bvx1"), so
// that the plain form is checked against real encoder output.
std::string withPlainTables(const std::string& stream)
{
    std::string result;
    std::size_t position = 0;
    while (position < stream.size()) {
        const std::string magic = stream.substr(position, 4);
        if (magic == kEnd) {
            return result + kEnd;
        }
        EXPECT_EQ(magic, "bvx2");
        const std::uint64_t word0 = getLe64(stream, position + 8);
        const std::uint64_t word1 = getLe64(stream, position + 16);
        const std::uint64_t word2 = getLe64(stream, position + 24);
        const auto field = [](std::uint64_t word, unsigned offset, unsigned width) {
            return static_cast<std::uint32_t>((word >> offset) & ((std::uint64_t {1} << width) - 1));
        };
        const std::uint32_t headerSize = field(word2, 0, 32);
        const std::uint32_t literalPayload = field(word0, 20, 20);
        const std::uint32_t lmdPayload = field(word1, 40, 20);

        std::vector<std::uint16_t> frequencies;
        std::uint32_t accumulator = 0;
        unsigned bits = 0;
        std::size_t next = position + 32;
        while (frequencies.size() < 360) {
            while (next < position + headerSize && bits <= 24) {
                accumulator |= static_cast<std::uint32_t>(static_cast<unsigned char>(stream[next++])) << bits;
                bits += 8;
            }
            unsigned length = 0;
            std::uint32_t value = 0;
            if ((accumulator & 1) == 0) {
                length = 2, value = (accumulator >> 1) & 1;
            } else if ((accumulator & 2) == 0) {
                length = 3, value = 2 + ((accumulator >> 2) & 1);
            } else if ((accumulator & 4) == 0) {
                length = 5, value = 4 + ((accumulator >> 3) & 3);
            } else if ((accumulator & 8) == 0) {
                length = 8, value = 8 + ((accumulator >> 4) & 15);
            } else {
                length = 14, value = 24 + ((accumulator >> 4) & 1023);
            }
            frequencies.push_back(static_cast<std::uint16_t>(value));
            accumulator >>= length;
            bits -= length;
        }

        std::string header(772, '\0');
        header.replace(0, 4, "bvx1");
        putLe32(header, 4, getLe32(stream, position + 4));
        putLe32(header, 8, literalPayload + lmdPayload);
        putLe32(header, 12, field(word0, 0, 20));
        putLe32(header, 16, field(word0, 40, 20));
        putLe32(header, 20, literalPayload);
        putLe32(header, 24, lmdPayload);
        putLe32(header, 28, static_cast<std::uint32_t>(static_cast<std::int32_t>(field(word0, 60, 3)) - 7));
        for (unsigned i = 0; i < 4; ++i) {
            header[32 + 2 * i] = static_cast<char>(field(word1, 10 * i, 10) & 0xFF);
            header[33 + 2 * i] = static_cast<char>(field(word1, 10 * i, 10) >> 8);
        }
        putLe32(header, 40, static_cast<std::uint32_t>(static_cast<std::int32_t>(field(word1, 60, 3)) - 7));
        for (unsigned i = 0; i < 3; ++i) {
            header[44 + 2 * i] = static_cast<char>(field(word2, 32 + 10 * i, 10) & 0xFF);
            header[45 + 2 * i] = static_cast<char>(field(word2, 32 + 10 * i, 10) >> 8);
        }
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            header[50 + 2 * i] = static_cast<char>(frequencies[i] & 0xFF);
            header[51 + 2 * i] = static_cast<char>(frequencies[i] >> 8);
        }
        result += header + stream.substr(position + headerSize, literalPayload + lmdPayload);
        position += headerSize + literalPayload + lmdPayload;
    }
    ADD_FAILURE() << "stream without end marker";
    return result;
}

struct Vector {
    const char* original;
    const char* blockKinds;
};

const Vector kVectors[] = {
    {"tiny.json", "bvx-"},
    {"plain-fr.json", "bvx-"},
    {"pack-de.json", "bvxn"},
    {"pack-large.json", "bvx2"},
    {"mixed.txt", "bvx2 bvx2"},
    {"empty.bin", "end marker only"},
};

TEST(LzfseDecoderTest, EveryVectorDecodesToItsOriginal)
{
    for (const Vector& vector : kVectors) {
        SCOPED_TRACE(std::string(vector.original) + " (" + vector.blockKinds + ")");
        const std::string original = readData(vector.original);
        const std::optional<std::string> decoded
            = LzfseDecoder::decompress(readData(std::string(vector.original) + ".lzfse"));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->size(), original.size());
        EXPECT_TRUE(*decoded == original);
    }
}

TEST(LzfseDecoderTest, PlainTableBlocksDecodeLikePackedOnes)
{
    for (const char* name : {"pack-large.json", "mixed.txt"}) {
        SCOPED_TRACE(name);
        const std::string plain = withPlainTables(readData(std::string(name) + ".lzfse"));
        ASSERT_EQ(plain.substr(0, 4), "bvx1");
        const std::optional<std::string> decoded = LzfseDecoder::decompress(plain);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_TRUE(*decoded == readData(name));
    }
}

TEST(LzfseDecoderTest, BlocksOfEveryKindChainIntoOneStream)
{
    const std::string stream = blocksOf(readData("tiny.json.lzfse")) + blocksOf(readData("pack-de.json.lzfse"))
        + blocksOf(readData("pack-large.json.lzfse")) + uncompressedBlock("") + uncompressedBlock("tail") + kEnd;
    const std::optional<std::string> decoded = LzfseDecoder::decompress(stream);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(*decoded == readData("tiny.json") + readData("pack-de.json") + readData("pack-large.json") + "tail");
}

TEST(LzfseDecoderTest, EmptyStreamAndEmptyInput)
{
    EXPECT_EQ(LzfseDecoder::decompress(kEnd), std::string());
    EXPECT_EQ(LzfseDecoder::decompress(kEnd, 0), std::string());
    EXPECT_EQ(LzfseDecoder::decompress(uncompressedBlock("") + kEnd), std::string());
    EXPECT_EQ(LzfseDecoder::decompress(""), std::nullopt);
    EXPECT_EQ(LzfseDecoder::decompress("bvx"), std::nullopt);
}

TEST(LzfseDecoderTest, BytesAfterTheEndMarkerAreIgnored)
{
    EXPECT_EQ(LzfseDecoder::decompress(uncompressedBlock("abc") + kEnd + "junk"), "abc");
}

TEST(LzfseDecoderTest, GivenNegativeVectorsFailCleanly)
{
    EXPECT_EQ(LzfseDecoder::decompress(readData("truncated-large.lzfse")), std::nullopt);
    // Two flipped payload bytes may still decode, but never to the original.
    const std::optional<std::string> corrupt = LzfseDecoder::decompress(readData("corrupt-de.lzfse"));
    EXPECT_FALSE(corrupt.has_value() && *corrupt == readData("pack-de.json"));
}

TEST(LzfseDecoderTest, EveryTruncationFails)
{
    for (const Vector& vector : kVectors) {
        SCOPED_TRACE(vector.original);
        const std::string stream = readData(std::string(vector.original) + ".lzfse");
        // Small streams at every length; large ones at a spread of lengths plus the last few.
        const std::size_t step = stream.size() > 1024 ? stream.size() / 97 : 1;
        for (std::size_t length = 0; length < stream.size(); length += step) {
            ASSERT_EQ(LzfseDecoder::decompress(stream.substr(0, length)), std::nullopt) << length;
        }
        for (std::size_t cut = 1; cut <= std::min<std::size_t>(stream.size(), 16); ++cut) {
            ASSERT_EQ(LzfseDecoder::decompress(stream.substr(0, stream.size() - cut)), std::nullopt) << cut;
        }
    }
}

TEST(LzfseDecoderTest, OutputLimitIsHonouredForEveryBlockKind)
{
    for (const char* name : {"tiny.json", "pack-de.json", "pack-large.json", "mixed.txt"}) {
        SCOPED_TRACE(name);
        const std::string stream = readData(std::string(name) + ".lzfse");
        const std::size_t size = readData(name).size();
        EXPECT_TRUE(LzfseDecoder::decompress(stream, size).has_value());
        EXPECT_EQ(LzfseDecoder::decompress(stream, size - 1), std::nullopt);
        EXPECT_EQ(LzfseDecoder::decompress(stream, 0), std::nullopt);
    }
    const std::string twoBlocks = uncompressedBlock("abc") + uncompressedBlock("def") + kEnd;
    EXPECT_EQ(LzfseDecoder::decompress(twoBlocks, 6), "abcdef");
    EXPECT_EQ(LzfseDecoder::decompress(twoBlocks, 5), std::nullopt);
}

TEST(LzfseDecoderTest, HugeDeclaredSizesFailWithoutTrustingThem)
{
    // Each block claims nearly 4 GiB; the decoder must neither reserve that nor read past the input.
    std::string large = "bvx-" + le32(0xFFFFFFF0u) + "abc" + kEnd;
    EXPECT_EQ(LzfseDecoder::decompress(large, SIZE_MAX), std::nullopt);
    std::string lzvn = "bvxn" + le32(0xFFFFFFF0u) + le32(9) + "\xE1x" + std::string("\x06\0\0\0\0\0\0\0", 8) + kEnd;
    EXPECT_EQ(LzfseDecoder::decompress(lzvn, SIZE_MAX), std::nullopt);
    std::string packed = readData("pack-large.json.lzfse");
    putLe32(packed, 4, 0xFFFFFFF0u);
    EXPECT_EQ(LzfseDecoder::decompress(packed, SIZE_MAX), std::nullopt);
    std::string lzvnPayload = readData("pack-de.json.lzfse");
    putLe32(lzvnPayload, 8, 0xFFFFFFF0u);
    EXPECT_EQ(LzfseDecoder::decompress(lzvnPayload), std::nullopt);
}

TEST(LzfseDecoderTest, DeclaredSizesMustMatchWhatTheBlockProduces)
{
    for (const char* name : {"pack-de.json", "pack-large.json"}) {
        SCOPED_TRACE(name);
        std::string stream = readData(std::string(name) + ".lzfse");
        const std::uint32_t size = getLe32(stream, 4);
        for (const std::uint32_t wrong : {size - 1, size + 1}) {
            putLe32(stream, 4, wrong);
            EXPECT_EQ(LzfseDecoder::decompress(stream), std::nullopt) << wrong;
        }
    }
}

TEST(LzfseDecoderTest, UnknownBlockMagicFails)
{
    EXPECT_EQ(LzfseDecoder::decompress("bvx3" + le32(0) + kEnd), std::nullopt);
    EXPECT_EQ(LzfseDecoder::decompress("BVX$"), std::nullopt);
}

struct LzvnCase {
    const char* name;
    std::string payload; // without the end-of-stream opcode
    std::optional<std::string> expected;
};

TEST(LzfseDecoderTest, LzvnOpcodes)
{
    using namespace std::string_literals;
    const std::string abcd = "\xE4"s + "abcd"; // small literal
    const std::vector<LzvnCase> cases = {
        {"small literal", abcd, "abcd"},
        {"large literal", "\xE0\x04"s + std::string(20, 'q'), std::string(20, 'q')},
        // LLMMMDDD DDDDDDDD: one literal, then a match of 5 at distance 4 (overlapping itself).
        {"small distance", abcd + "\x50\x04"s + "e", "abcdebcdeb"},
        // 101LLMMM DDDDDDMM DDDDDDDD: no literal, match of 3 + 0b00101 = 8 at distance 4.
        {"medium distance", abcd + "\xA1\x11\x00"s, "abcdabcdabcd"},
        // LLMMM111 DDDDDDDD DDDDDDDD: two literals, match of 3 at distance 6.
        {"large distance", abcd + "\x87\x06\x00"s + "xy", "abcdxyabc"},
        // LLMMM110: one literal, then a match of 3 at the previous distance (4).
        {"previous distance", abcd + "\x00\x04"s + "\x46"s + "z", "abcdabczabc"},
        // 1111MMMM and 11110000 MMMMMMMM: matches only, previous distance.
        {"small match", abcd + "\x00\x02"s + "\xF2"s, "abcdcdcdc"},
        {"large match", abcd + "\x00\x01"s + "\xF0\x00"s, std::string("abc") + std::string(20, 'd')},
        {"nops", "\x0E\x16"s + abcd + "\x0E"s, "abcd"},
        {"empty block", "", ""},
        {"zero distance", abcd + "\x00\x00"s, std::nullopt},
        {"distance before the start", abcd + "\x00\x05"s, std::nullopt},
        {"previous distance with none yet", abcd + "\x46"s + "z", std::nullopt},
        {"match only with none yet", abcd + "\xF3"s, std::nullopt},
        {"reserved opcode", abcd + "\x1E"s, std::nullopt},
        {"reserved row 0x70", abcd + "\x70"s, std::nullopt},
        {"reserved row 0xD0", abcd + "\xD0"s, std::nullopt},
        {"literal past the payload", "\xE9"s + "abc", std::nullopt},
    };
    for (const LzvnCase& test : cases) {
        SCOPED_TRACE(test.name);
        const auto rawBytes = static_cast<std::uint32_t>(test.expected ? test.expected->size() : 4);
        EXPECT_EQ(LzfseDecoder::decompress(lzvnStream(test.payload, rawBytes)), test.expected);
    }
}

TEST(LzfseDecoderTest, LzvnBlockMustEndWithItsEndOpcode)
{
    using namespace std::string_literals;
    const std::string eos("\x06\0\0\0\0\0\0\0", 8);
    const auto block = [](const std::string& payload, std::uint32_t raw) {
        return "bvxn" + le32(raw) + le32(static_cast<std::uint32_t>(payload.size())) + payload + kEnd;
    };
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab" + eos, 2)), "ab");
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab", 2)), std::nullopt); // no end opcode
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab" + eos.substr(0, 7), 2)), std::nullopt); // cut short
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab" + eos + "\xE1x", 2)), std::nullopt); // bytes after it
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab" + eos, 3)), std::nullopt); // short of its size
    EXPECT_EQ(LzfseDecoder::decompress(block("\xE2"s + "ab" + eos, 1)), std::nullopt); // beyond its size
}

TEST(LzfseDecoderTest, PackedHeaderFieldsAreChecked)
{
    const std::string original = readData("pack-large.json.lzfse");
    const auto withByte = [&](std::size_t offset, unsigned char value) {
        std::string stream = original;
        stream[offset] = static_cast<char>(value);
        return stream;
    };
    // Header size (third word, low 32 bits) too small, and far beyond the input.
    EXPECT_EQ(LzfseDecoder::decompress(withByte(24, 31)), std::nullopt);
    EXPECT_EQ(LzfseDecoder::decompress(withByte(27, 0x7F)), std::nullopt);
    // Match count (bits 40-59 of the first word) above what any block may hold.
    EXPECT_EQ(LzfseDecoder::decompress(withByte(14, 0xFF)), std::nullopt);
    // L state (bits 32-41 of the third word) beyond the 64 states of its table.
    EXPECT_EQ(LzfseDecoder::decompress(withByte(28, 0xFF)), std::nullopt);
}

// Random bit flips, byte changes, cuts and splices of the vectors must never crash, hang, read
// outside the input (the sanitizer build checks that) or exceed the limit.
TEST(LzfseDecoderTest, RandomMutationsFailSafely)
{
    std::vector<std::string> streams;
    for (const Vector& vector : kVectors) {
        streams.push_back(readData(std::string(vector.original) + ".lzfse"));
    }
    streams.push_back(withPlainTables(readData("pack-large.json.lzfse")));

    std::mt19937 random(20261210);
    const auto pick
        = [&](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random); };
    constexpr std::size_t kLimit = 1u << 20;
    // At least a fixed number of rounds, so a slow or sanitized build still covers the same
    // mutations; more while time allows.
    constexpr int kMinimumRounds = 100;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    for (int rounds = 0; rounds < 20000 && (rounds < kMinimumRounds || std::chrono::steady_clock::now() < deadline);
         ++rounds) {
        std::string stream = streams[pick(streams.size())];
        const std::size_t edits = 1 + pick(4);
        for (std::size_t edit = 0; edit < edits && !stream.empty(); ++edit) {
            // Most of a stream is payload; aim half the edits at the headers, where a change matters most.
            const std::size_t position
                = pick(2) == 0 ? pick(std::min<std::size_t>(stream.size(), 800)) : pick(stream.size());
            switch (pick(4)) {
            case 0:
                stream[position] = static_cast<char>(stream[position] ^ (1 << pick(8)));
                break;
            case 1:
                stream[position] = static_cast<char>(pick(256));
                break;
            case 2:
                stream.resize(position);
                break;
            default:
                stream.insert(position, streams[pick(streams.size())].substr(0, pick(64)));
                break;
            }
        }
        const std::optional<std::string> decoded = LzfseDecoder::decompress(stream, kLimit);
        if (decoded) {
            ASSERT_LE(decoded->size(), kLimit);
        }
    }
}

} // namespace
} // namespace tarn
