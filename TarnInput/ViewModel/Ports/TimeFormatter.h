#pragma once

// Port: the time of day as the interface shows it (hours, minutes and seconds, no date) in the
// conventions of the interface language, whatever the process locale says.

#include <string>

#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

class TimeFormatter {
public:
    virtual ~TimeFormatter() = default;
    virtual std::string formatTime(WallTime time, TarnLanguage language) const = 0;
};

} // namespace tarn::input
