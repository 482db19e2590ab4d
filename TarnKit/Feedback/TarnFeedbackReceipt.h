#pragma once

// The site's answer to an accepted report.

#include <cstdint>
#include <string>

namespace tarn {

struct TarnFeedbackReceipt {
    std::string referenceCode;
    std::int64_t attachmentsCount = 0;
    std::string message;

    bool operator==(const TarnFeedbackReceipt&) const = default;
};

} // namespace tarn
