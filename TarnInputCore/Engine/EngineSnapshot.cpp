#include "TarnInputCore/Engine/EngineSnapshot.h"

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Model/AppInputProfileEngine.h"

namespace tarn::input {

std::unique_ptr<const EngineSnapshot> EngineSnapshot::make(std::shared_ptr<const InputSettings> settings,
    const std::optional<std::string>& bundleID, const std::optional<std::string>& appName)
{
    auto snapshot = std::make_unique<EngineSnapshot>();
    snapshot->resolution = AppInputProfileEngine::resolve(bundleID, appName, *settings);
    for (std::size_t button = 0; button < kBoundButtons; ++button) {
        const auto binding = snapshot->resolution.macroBindings.find(static_cast<std::int64_t>(button));
        if (binding != snapshot->resolution.macroBindings.end()) {
            snapshot->m_boundMacros[button]
                = InputEventInterceptorService::findEnabledMacro(binding->second, *settings);
        }
    }
    snapshot->settings = std::move(settings);
    return snapshot;
}

const InputMacro* EngineSnapshot::boundMacro(std::int64_t buttonNumber) const
{
    if (buttonNumber < 0 || buttonNumber >= static_cast<std::int64_t>(kBoundButtons)) {
        return nullptr;
    }
    return m_boundMacros[static_cast<std::size_t>(buttonNumber)];
}

} // namespace tarn::input
