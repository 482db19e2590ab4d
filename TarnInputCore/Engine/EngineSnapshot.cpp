#include "TarnInputCore/Engine/EngineSnapshot.h"

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input {

std::unique_ptr<const EngineSnapshot> EngineSnapshot::make(
    std::shared_ptr<const InputSettings> settings, FrontmostApplication frontmost)
{
    auto snapshot = std::make_unique<EngineSnapshot>();
    snapshot->resolution = AppInputProfileEngine::resolve(frontmost.bundleID, frontmost.name, *settings);
    snapshot->frontmost = std::move(frontmost);
    const auto& resolution = snapshot->resolution;
    for (std::size_t button = 0; button < kBoundButtons; ++button) {
        const auto number = static_cast<std::int64_t>(button);
        if (const auto binding = resolution.macroBindings.find(number); binding != resolution.macroBindings.end()) {
            if (const auto* macro = InputEventInterceptorService::findEnabledMacro(binding->second, *settings)) {
                snapshot->m_boundMacros[button] = PreparedMacro::make(*macro);
            }
        }
        if (const auto action = resolution.buttonActions.find(number); action != resolution.buttonActions.end()) {
            snapshot->m_boundActions[button] = action->second;
        }
    }
    snapshot->settings = std::move(settings);
    return snapshot;
}

const std::shared_ptr<const PreparedMacro>& EngineSnapshot::boundMacro(std::int64_t buttonNumber) const
{
    static const std::shared_ptr<const PreparedMacro> kNone;
    if (buttonNumber < 0 || buttonNumber >= static_cast<std::int64_t>(kBoundButtons)) {
        return kNone;
    }
    return m_boundMacros[static_cast<std::size_t>(buttonNumber)];
}

std::optional<MouseButtonAction> EngineSnapshot::boundAction(std::int64_t buttonNumber) const
{
    if (buttonNumber < 0 || buttonNumber >= static_cast<std::int64_t>(kBoundButtons)) {
        return std::nullopt;
    }
    return m_boundActions[static_cast<std::size_t>(buttonNumber)];
}

} // namespace tarn::input
