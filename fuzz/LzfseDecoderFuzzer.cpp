// Feeds arbitrary bytes to the LZFSE decoder. Besides the sanitizers' memory and undefined
// behaviour checks, it holds the decoder to its output limit: whatever decodes must decode the
// same under a limit of exactly its size and must fail under a limit one byte smaller.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "TarnKit/Foundation/Lzfse/LzfseDecoder.h"

namespace {

constexpr std::size_t kLimit = 4u << 20;

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto decoded = tarn::LzfseDecoder::decompress(input, kLimit);
    if (!decoded) {
        return 0;
    }
    check(decoded->size() <= kLimit);
    check(tarn::LzfseDecoder::decompress(input, decoded->size()) == decoded);
    if (!decoded->empty()) {
        check(!tarn::LzfseDecoder::decompress(input, decoded->size() - 1).has_value());
    }
    return 0;
}
