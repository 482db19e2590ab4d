#pragma once

// One request from one application of the family to another: the record the command bus writes
// into the target's slot file. Its JSON text is a wire format every application of the family
// reads and writes: one compact object whose keys are the field names in this order, the three
// optional fields left out when absent (never null), the id in upper-case canonical form, the
// timestamp in the suite's date form (whole seconds), applications and kinds as raw values.
// Readers take the keys in any order, ignore unknown keys, read a null optional as absent,
// accept the id in either letter case, and refuse anything else as a whole, a targetPID below 2
// included (the writer writes whatever it is given).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Commands/TarnSuiteApp.h"
#include "TarnKit/Suite/Commands/TarnSuiteCommandKind.h"

namespace tarn {

struct TarnSuiteCommandEnvelope {
    Uuid id;
    WallTime timestamp;
    TarnSuiteApp sourceApp = TarnSuiteApp::tarnReaper;
    TarnSuiteApp targetApp = TarnSuiteApp::tarnReaper;
    TarnSuiteCommandKind kind = TarnSuiteCommandKind::memorySmartOffload;
    std::optional<std::int32_t> targetPID; // the process the request is about
    std::optional<std::string> targetName; // a name the request is about
    std::optional<std::string> payload; // any further argument, free-form

    bool operator==(const TarnSuiteCommandEnvelope&) const = default;

    // Absent when a text is not valid UTF-8, which no reader could take back unchanged.
    std::optional<std::string> toJson() const;
    static std::optional<TarnSuiteCommandEnvelope> fromJson(std::string_view text);
};

} // namespace tarn
