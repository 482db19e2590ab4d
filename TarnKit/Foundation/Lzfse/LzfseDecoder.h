#pragma once

// Decodes LZFSE streams: a sequence of blocks (uncompressed, LZVN, LZFSE v1/v2) closed by an
// end-of-stream block. Pure function of its input; never reads past it and never allocates more
// than the output limit allows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class LzfseDecoder {
public:
    static constexpr std::size_t kDefaultOutputLimit = 64u << 20; // 64 MiB

    // The decompressed bytes, or absent when the input is not a complete, valid stream or would
    // decompress to more than outputLimit bytes.
    static std::optional<std::string> decompress(
        std::string_view compressed, std::size_t outputLimit = kDefaultOutputLimit);
};

} // namespace tarn
