#pragma once

// Why a vision operation failed: an error domain, a code and a description.

#include <string>

namespace tarn {

struct TarnVisionError {
    std::string domain;
    int code = 0;
    std::string description;
    bool operator==(const TarnVisionError&) const = default;
};

} // namespace tarn
