#pragma once

// Formats a time as "<language code> <seconds since the epoch>", so a test sees which time and
// which language were asked for.

#include <fmt/format.h>

#include "TarnInput/ViewModel/Ports/TimeFormatter.h"

namespace tarn::input {

class FakeTimeFormatter final : public TimeFormatter {
public:
    std::string formatTime(WallTime time, TarnLanguage language) const override
    {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
        return fmt::format("{} {}", rawValue(language), seconds);
    }
};

} // namespace tarn::input
