#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"

namespace tarn::input {

MouseButtonAction EffectiveInputResolution::action(MouseButtonKind button) const
{
    const auto found = buttonActions.find(rawValue(button));
    return found == buttonActions.end() ? MouseButtonAction::passthrough : found->second;
}

std::optional<Uuid> EffectiveInputResolution::macroID(MouseButtonKind button) const
{
    const auto found = macroBindings.find(rawValue(button));
    if (found == macroBindings.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace tarn::input
