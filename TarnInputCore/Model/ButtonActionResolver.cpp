#include "TarnInputCore/Model/ButtonActionResolver.h"

#include "TarnInputCore/Model/BundleIdentifierText.h"

namespace tarn::input {

MouseButtonAction ButtonActionResolver::resolveAction(
    MouseButtonKind button, const std::optional<std::string>& frontmostBundleID, const InputSettings& settings)
{
    if (!settings.engineEnabled || !settings.buttonRemapEnabled) {
        return MouseButtonAction::passthrough;
    }
    if (frontmostBundleID) {
        // Rules are matched lower-cased only: neither side is trimmed.
        const std::string key = BundleIdentifierText::lowercased(*frontmostBundleID);
        if (!key.empty()) {
            for (const auto& rule : settings.appOverrides) {
                if (rule.isEnabled && rule.button == button
                    && BundleIdentifierText::lowercasedEquals(rule.bundleIdentifier, key)) {
                    return rule.action;
                }
            }
        }
    }
    return settings.globalAction(button);
}

} // namespace tarn::input
