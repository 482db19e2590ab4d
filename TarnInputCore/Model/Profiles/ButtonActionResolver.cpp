#include "TarnInputCore/Model/Profiles/ButtonActionResolver.h"

namespace tarn::input {

MouseButtonAction ButtonActionResolver::resolveAction(
    MouseButtonKind button, const std::optional<ApplicationId>& frontmost, const InputSettings& settings)
{
    if (!settings.engineEnabled || !settings.buttonRemapEnabled) {
        return MouseButtonAction::passthrough;
    }
    // Rules are matched lower-cased only: neither side is trimmed.
    if (frontmost && !frontmost->lowercased().empty()) {
        for (const auto& rule : settings.appOverrides) {
            if (rule.isEnabled && rule.button == button && frontmost->isNamedBy(rule.bundleIdentifier)) {
                return rule.action;
            }
        }
    }
    return settings.globalAction(button);
}

} // namespace tarn::input
