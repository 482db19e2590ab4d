#include "TarnKit/Foundation/Basics/Uuid.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string_view>

#include <sys/random.h>

namespace tarn {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// Positions of the four hyphens in the canonical form.
constexpr std::array<std::size_t, 4> kHyphens {8, 13, 18, 23};

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void fillRandom(std::array<std::uint8_t, 16>& bytes)
{
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            break;
        }
    }
    if (filled == bytes.size()) {
        return;
    }
    // getrandom only fails on kernels older than 3.17 or under a seccomp filter; the
    // library's random_device still reads the kernel's pool in those cases.
    std::random_device device;
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(device());
    }
}

} // namespace

Uuid Uuid::random()
{
    Uuid uuid;
    fillRandom(uuid.bytes);
    uuid.bytes[6] = static_cast<std::uint8_t>((uuid.bytes[6] & 0x0F) | 0x40);
    uuid.bytes[8] = static_cast<std::uint8_t>((uuid.bytes[8] & 0x3F) | 0x80);
    return uuid;
}

std::optional<Uuid> Uuid::parse(std::string_view text)
{
    if (text.size() != 36) {
        return std::nullopt;
    }
    Uuid uuid;
    std::size_t byteIndex = 0;
    std::size_t i = 0;
    std::size_t nextHyphen = 0;
    while (i < text.size()) {
        if (nextHyphen < kHyphens.size() && i == kHyphens[nextHyphen]) {
            if (text[i] != '-') {
                return std::nullopt;
            }
            ++nextHyphen;
            ++i;
            continue;
        }
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        uuid.bytes[byteIndex++] = static_cast<std::uint8_t>((high << 4) | low);
        i += 2;
    }
    return uuid;
}

std::string Uuid::toString() const
{
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text.push_back('-');
        }
        text.push_back(kHexDigits[bytes[i] >> 4]);
        text.push_back(kHexDigits[bytes[i] & 0x0F]);
    }
    return text;
}

} // namespace tarn

std::size_t std::hash<tarn::Uuid>::operator()(const tarn::Uuid& uuid) const noexcept
{
    // The bytes are random already; folding them is enough.
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::memcpy(&high, uuid.bytes.data(), 8);
    std::memcpy(&low, uuid.bytes.data() + 8, 8);
    return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ULL));
}
