#include "TarnInputCore/Model/ScrollExclusionMatcher.h"

#include "TarnInputCore/Model/BundleIdentifierText.h"

namespace tarn::input {

bool ScrollExclusionMatcher::isExcluded(
    const std::optional<std::string>& bundleIdentifier, const InputSettings& settings)
{
    if (!bundleIdentifier) {
        return false;
    }
    // The entries are trimmed, the identifier is not: " com.figma.Desktop" is not excluded.
    const std::string key = BundleIdentifierText::lowercased(*bundleIdentifier);
    if (key.empty()) {
        return false;
    }
    for (const auto& entry : settings.smoothScrollExcludedBundles) {
        // An entry that trims to nothing can never equal the non-empty key, so it is skipped.
        if (BundleIdentifierText::trimmedLowercasedEquals(entry, key)) {
            return true;
        }
    }
    return false;
}

} // namespace tarn::input
