#include "TarnInputCore/Model/Profiles/ScrollExclusionMatcher.h"

namespace tarn::input {

bool ScrollExclusionMatcher::isExcluded(const std::optional<ApplicationId>& application, const InputSettings& settings)
{
    // The entries are trimmed, the identifier is not: " com.figma.Desktop" is not excluded.
    if (!application || application->lowercased().empty()) {
        return false;
    }
    for (const auto& entry : settings.smoothScrollExcludedBundles) {
        // An entry that trims to nothing can never equal the non-empty identifier, so it is skipped.
        if (application->isNamedByTrimmedEntry(entry)) {
            return true;
        }
    }
    return false;
}

} // namespace tarn::input
