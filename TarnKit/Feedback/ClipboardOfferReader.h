#pragma once

// What another program offers on the desktop's clipboard, read within a size and a time limit: the
// interface thread asks, so a reader never holds more than it was allowed, and never waits past
// the deadline for an owner that is slow, silent or endless.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class ClipboardOfferReader {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    enum class Failure {
        nothingOffered,
        tooLarge,
        // The owner did not answer before the deadline, or the transfer broke off.
        noAnswer,
    };

    virtual ~ClipboardOfferReader() = default;

    // The types the clipboard offers now ("image/png", "text/plain" …); empty when nothing is
    // offered or the owner does not answer in time.
    virtual std::vector<std::string> offeredTypes(Deadline deadline) const = 0;
    // The offer of one type, refused once it is known to be larger than `maxBytes`.
    virtual Result<std::vector<std::uint8_t>, Failure> read(
        std::string_view mimeType, std::size_t maxBytes, Deadline deadline) const = 0;
};

} // namespace tarn
