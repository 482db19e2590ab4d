#pragma once

// A clipboard that holds the PNG bytes it is given, or no image; like a real one it refuses an
// image larger than the caller's limit. It counts its reads, so a test can tell it was not read.

#include <optional>

#include "TarnKit/Feedback/ClipboardImageSource.h"

namespace tarn {

class FakeClipboardImageSource final : public ClipboardImageSource {
public:
    Result<std::vector<std::uint8_t>, Refusal> pngImage(std::size_t maxBytes) const override
    {
        ++m_reads;
        if (!m_png || m_png->empty()) {
            return fail(Refusal::noImage);
        }
        if (m_png->size() > maxBytes) {
            return fail(Refusal::tooLarge);
        }
        return *m_png;
    }
    void setPng(std::optional<std::vector<std::uint8_t>> png) { m_png = std::move(png); }
    int reads() const { return m_reads; }

private:
    std::optional<std::vector<std::uint8_t>> m_png;
    mutable int m_reads = 0;
};

} // namespace tarn
