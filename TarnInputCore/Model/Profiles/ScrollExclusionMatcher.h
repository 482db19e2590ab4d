#pragma once

// Whether smooth scrolling is switched off for an application by the exclusion list. The list's
// entries are trimmed and lower-cased; the identifier asked about is lower-cased only, so an
// identifier with stray white space is not excluded.

#include <optional>

#include "TarnInputCore/Model/Profiles/ApplicationId.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

class ScrollExclusionMatcher {
public:
    ScrollExclusionMatcher() = delete;

    static bool isExcluded(const std::optional<ApplicationId>& application, const InputSettings& settings);
};

} // namespace tarn::input
