#pragma once

// What every event reads: the settings and what applies for the frontmost application, built
// together from the same settings so the two always agree. Immutable once built; the engine
// replaces it whole whenever the settings or the frontmost application change.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "TarnInputCore/Engine/Macros/PreparedMacro.h"
#include "TarnInputCore/Engine/Ports/FrontmostApplication.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

struct EngineSnapshot {
    std::shared_ptr<const InputSettings> settings;
    // Kept as the workspace gave it, so new settings resolve again without normalising it again.
    FrontmostApplication frontmost;
    EffectiveInputResolution resolution;

    // Resolves for the application with the settings' own profiles and macros.
    static std::unique_ptr<const EngineSnapshot> make(
        std::shared_ptr<const InputSettings> settings, FrontmostApplication frontmost);

    // The enabled macro bound to the button for this application, found and prepared for playing
    // when the snapshot was built, so a press neither searches the macro list nor checks or copies
    // the macro; null when none.
    const std::shared_ptr<const PreparedMacro>& boundMacro(std::int64_t buttonNumber) const;
    // The resolution's action for the button, kept beside the macros so that a press reads one
    // small table instead of walking a map; absent when the resolution has none.
    std::optional<MouseButtonAction> boundAction(std::int64_t buttonNumber) const;

private:
    static constexpr std::size_t kBoundButtons = 5;
    std::array<std::shared_ptr<const PreparedMacro>, kBoundButtons> m_boundMacros {};
    std::array<std::optional<MouseButtonAction>, kBoundButtons> m_boundActions {};
};

} // namespace tarn::input
