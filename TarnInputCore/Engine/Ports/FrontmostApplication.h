#pragma once

// The application in front, as the workspace reports it. Both fields are absent when nothing is
// in front (the desktop). The identifier is normalised by the adapter when it reads it, on the
// adapter's thread, so whoever asks copies it and normalises nothing.

#include <optional>
#include <string>

#include "TarnInputCore/Model/Profiles/ApplicationId.h"

namespace tarn::input {

struct FrontmostApplication {
    std::optional<ApplicationId> bundleID;
    std::optional<std::string> name;
    bool operator==(const FrontmostApplication&) const = default;
};

} // namespace tarn::input
