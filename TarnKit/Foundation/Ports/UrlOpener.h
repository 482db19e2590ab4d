#pragma once

// Hands an address (a web page, a local file:// page) to the desktop's default handler.

#include <string_view>

namespace tarn {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    // True when the handler was started; whether it managed to show the page is not known.
    [[nodiscard]] virtual bool open(std::string_view url) = 0;
};

} // namespace tarn
