#pragma once

// Opens an address with xdg-open, the desktop's default handler, without waiting for it: some
// desktops keep xdg-open running as long as the browser it started.

#include <string>

#include "TarnKit/Foundation/Ports/UrlOpener.h"

namespace tarn {

class XdgOpenUrlOpener final : public UrlOpener {
public:
    // `program` is looked up in $PATH; tests give a harmless one.
    explicit XdgOpenUrlOpener(std::string program = "xdg-open");

    // False when the program could not be started (not installed, say).
    bool open(std::string_view url) override;

private:
    std::string m_program;
};

} // namespace tarn
