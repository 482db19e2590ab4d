#pragma once

// Reads the X11 CLIPBOARD selection through a connection of its own, opened for each question, on
// the caller's thread. The owner is another program: it may offer a gigabyte, send increments
// without end, or never answer. A transfer is refused as soon as its size (announced up front, or
// reached while increments arrive) passes the caller's limit, and every wait ends at the caller's
// deadline; the connection's close ends the transfer on the owner's side.

#include <string>

#include "TarnKit/Feedback/ClipboardOfferReader.h"

namespace tarn {

class X11ClipboardOfferReader final : public ClipboardOfferReader {
public:
    // The display to read from ("" for $DISPLAY).
    explicit X11ClipboardOfferReader(std::string displayName);

    std::vector<std::string> offeredTypes(Deadline deadline) const override;
    Result<std::vector<std::uint8_t>, Failure> read(
        std::string_view mimeType, std::size_t maxBytes, Deadline deadline) const override;

private:
    std::string m_displayName;
};

} // namespace tarn
