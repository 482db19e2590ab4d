#pragma once

// One image attached to a feedback report, sent unchanged as one part of the multipart body.

#include <cstdint>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Basics/Uuid.h"

namespace tarn {

struct TarnFeedbackScreenshot {
    Uuid id;
    std::string filename;
    std::string mimeType; // "image/png"
    std::vector<std::uint8_t> data;

    // The byte count for display beside the attachment ("1.5 MB").
    std::string formattedSize() const;

    bool operator==(const TarnFeedbackScreenshot&) const = default;
};

} // namespace tarn
