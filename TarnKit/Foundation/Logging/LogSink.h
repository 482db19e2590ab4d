#pragma once

// Where a subsystem's log lines go. The application's logger is the real one; tests record.
// Implementations never throw, may be called from any thread, and must be cheap.

#include <string_view>

#include "TarnKit/Foundation/Logging/TarnLogLevel.h"

namespace tarn {

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void log(TarnLogLevel level, std::string_view category, std::string_view message) = 0;
};

} // namespace tarn
