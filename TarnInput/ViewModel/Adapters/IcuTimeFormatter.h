#pragma once

// The time of day in the interface language's medium time style ("3:04:05 PM", "15:04:05"),
// formatted by ICU so that the process locale never leaks in.

#include <optional>
#include <string>

#include "TarnInput/ViewModel/Ports/TimeFormatter.h"

namespace tarn::input {

class IcuTimeFormatter final : public TimeFormatter {
public:
    // The desktop's time zone, or the named one ("UTC", "Europe/Istanbul").
    explicit IcuTimeFormatter(std::optional<std::string> timeZone = std::nullopt);

    std::string formatTime(WallTime time, TarnLanguage language) const override;

private:
    std::optional<std::string> m_timeZone;
};

} // namespace tarn::input
