#include "TarnKit/Foundation/Files/TarnChecksum.h"

#include <cstdint>
#include <fstream>

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

std::filesystem::path writeFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

std::string sha256Hex(const std::string& bytes)
{
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
    std::string hex;
    for (unsigned char byte : digest) {
        static constexpr char kHex[] = "0123456789abcdef";
        hex += kHex[byte >> 4];
        hex += kHex[byte & 0x0F];
    }
    return hex;
}

std::string sizeBytes(std::int64_t size)
{
    return std::string(reinterpret_cast<const char*>(&size), sizeof size);
}

TEST(TarnChecksum, Sha256OfKnownFilesWithAnyChunkSize)
{
    TemporaryFolder folder;
    const auto empty = writeFile(folder.path() / "empty", "");
    EXPECT_EQ(*TarnChecksum::sha256(empty), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    const auto abc = writeFile(folder.path() / "abc", "abc");
    for (std::ptrdiff_t chunk : {1, 2, 4096, 0}) {
        EXPECT_EQ(
            *TarnChecksum::sha256(abc, chunk), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    }
}

TEST(TarnChecksum, MissingFileIsAnError)
{
    TemporaryFolder folder;
    const auto result = TarnChecksum::sha256(folder.path() / "missing");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error(), std::errc::no_such_file_or_directory);
    EXPECT_FALSE(TarnChecksum::partialFingerprint(folder.path() / "missing", 4));
}

TEST(TarnChecksum, PartialFingerprintHashesSizeAndBothEnds)
{
    TemporaryFolder folder;
    const auto ten = writeFile(folder.path() / "ten", "0123456789");
    EXPECT_EQ(*TarnChecksum::partialFingerprint(ten, 4), sha256Hex(sizeBytes(10) + "0123" + "6789"));
    EXPECT_EQ(*TarnChecksum::partialFingerprint(ten, 16), sha256Hex(sizeBytes(10) + "0123456789"));
    const auto empty = writeFile(folder.path() / "empty", "");
    EXPECT_EQ(*TarnChecksum::partialFingerprint(empty, 4), sha256Hex(std::string(8, '\0')));

    const auto a = writeFile(folder.path() / "a", "head-AAAA-tail");
    const auto b = writeFile(folder.path() / "b", "head-BBBB-tail");
    EXPECT_EQ(*TarnChecksum::partialFingerprint(a, 5), *TarnChecksum::partialFingerprint(b, 5));
    EXPECT_NE(*TarnChecksum::partialFingerprint(a, 7), *TarnChecksum::partialFingerprint(b, 7));
}

} // namespace
} // namespace tarn
