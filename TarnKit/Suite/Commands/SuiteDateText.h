#pragma once

// The date form of the suite's files: ISO-8601 internet date-time in UTC to the whole second,
// "2026-12-10T15:04:05Z". Writing floors to the second; reading takes that form alone (no
// fractional seconds, no offset, no lower-case "t" or "z") and only dates the wall clock can hold.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn {

std::string suiteDateText(WallTime time);
std::optional<WallTime> suiteDateFromText(std::string_view text);

} // namespace tarn
