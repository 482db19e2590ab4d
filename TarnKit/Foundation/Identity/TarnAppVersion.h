#pragma once

// The running program's marketing version and build number, with fall-backs.

#include <optional>
#include <string>

#include "TarnKit/Foundation/Identity/BuildInfo.h"

namespace tarn {

class TarnSemVer;

struct TarnAppVersion {
    std::string shortVersion;
    std::string buildNumber;

    // "v" + shortVersion.
    std::string tag() const;
    // "v" + shortVersion + " (" + buildNumber + ")".
    std::string detailedDisplay() const;
    std::optional<TarnSemVer> semVer() const;

    // Each value is trimmed of white space and line breaks; a missing or blank one takes its
    // fall-back unchanged. Callers pass BuildInfo::current(), "1.0.0" and "100".
    static TarnAppVersion current(
        const BuildInfo& info, const std::string& fallbackVersion, const std::string& fallbackBuild);

    bool operator==(const TarnAppVersion&) const = default;
};

} // namespace tarn
