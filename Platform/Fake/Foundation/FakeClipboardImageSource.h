#pragma once

// A clipboard that holds the PNG bytes it is given, or no image.

#include "TarnKit/Feedback/ClipboardImageSource.h"

namespace tarn {

class FakeClipboardImageSource final : public ClipboardImageSource {
public:
    std::optional<std::vector<std::uint8_t>> pngImage() const override { return m_png; }
    void setPng(std::optional<std::vector<std::uint8_t>> png) { m_png = std::move(png); }

private:
    std::optional<std::vector<std::uint8_t>> m_png;
};

} // namespace tarn
