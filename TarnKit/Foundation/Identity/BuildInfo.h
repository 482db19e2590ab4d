#pragma once

// What the build says about the program: version, build number, display name and identifier.
// On Linux this stands in for an application bundle's information dictionary.

#include <optional>
#include <string>

namespace tarn {

struct BuildInfo {
    // Absent entries behave like missing keys of an information dictionary, so callers keep
    // their fall-backs; tests build their own.
    std::optional<std::string> shortVersion;
    std::optional<std::string> buildNumber;
    std::optional<std::string> displayName;
    std::optional<std::string> identifier;

    static BuildInfo current();
};

} // namespace tarn
