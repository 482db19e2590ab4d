#include "TarnKit/Foundation/Files/TarnChecksum.h"

#include <cerrno>
#include <cstdint>
#include <memory>
#include <vector>

#include <openssl/evp.h>

#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

using DigestContext = CHandle<EVP_MD_CTX, EVP_MD_CTX_free>;

class Sha256 {
public:
    Sha256()
        : m_context(EVP_MD_CTX_new())
    {
        EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr);
    }
    void update(const void* data, std::size_t size) { EVP_DigestUpdate(m_context.get(), data, size); }
    std::string hexDigest()
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_DigestFinal_ex(m_context.get(), digest, &length);
        static constexpr char kHex[] = "0123456789abcdef";
        std::string hex;
        for (unsigned int index = 0; index < length; ++index) {
            hex += kHex[digest[index] >> 4];
            hex += kHex[digest[index] & 0x0F];
        }
        return hex;
    }

private:
    DigestContext m_context;
};

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// Reads up to `size` bytes, retrying short reads; the count read, or -1 on error.
ssize_t readUpTo(int fd, unsigned char* buffer, std::size_t size)
{
    std::size_t total = 0;
    while (total < size) {
        const ssize_t count = ::read(fd, buffer + total, size - total);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return -1;
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::size_t>(count);
    }
    return static_cast<ssize_t>(total);
}

} // namespace

Result<std::string, std::error_code> TarnChecksum::sha256(const std::filesystem::path& file, std::ptrdiff_t chunkSize)
{
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        return fail(lastError());
    }
    const std::size_t size = chunkSize > 0 ? static_cast<std::size_t>(chunkSize) : std::size_t {64 << 10};
    std::vector<unsigned char> chunk(size);
    Sha256 hasher;
    for (;;) {
        const ssize_t count = ::read(fd.get(), chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return fail(lastError());
        }
        if (count == 0) {
            break;
        }
        hasher.update(chunk.data(), static_cast<std::size_t>(count));
    }
    return hasher.hexDigest();
}

Result<std::string, std::error_code> TarnChecksum::partialFingerprint(
    const std::filesystem::path& file, std::ptrdiff_t sampleBytes)
{
    struct stat info { };
    if (::stat(file.c_str(), &info) != 0) {
        return fail(lastError());
    }
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        return fail(lastError());
    }
    const std::int64_t size = info.st_size;
    const std::size_t sample = sampleBytes > 0 ? static_cast<std::size_t>(sampleBytes) : 0;
    std::vector<unsigned char> buffer(sample);

    Sha256 hasher;
    hasher.update(&size, sizeof size);
    ssize_t count = readUpTo(fd.get(), buffer.data(), sample);
    if (count < 0) {
        return fail(lastError());
    }
    hasher.update(buffer.data(), static_cast<std::size_t>(count));
    if (static_cast<std::int64_t>(sample) < size) {
        const off_t offset = static_cast<off_t>(std::max<std::int64_t>(size - static_cast<std::int64_t>(sample), 0));
        if (::lseek(fd.get(), offset, SEEK_SET) < 0) {
            return fail(lastError());
        }
        count = readUpTo(fd.get(), buffer.data(), sample);
        if (count < 0) {
            return fail(lastError());
        }
        hasher.update(buffer.data(), static_cast<std::size_t>(count));
    }
    return hasher.hexDigest();
}

} // namespace tarn
