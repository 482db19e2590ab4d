#pragma once

// What another thread asks of the engine's rules, whose state only the tap thread touches: the
// engine queues it and the tap thread carries it out before its next event (or at once, when no
// tap runs). Small and trivially copyable, so queueing never allocates.

#include <cstdint>
#include <optional>

namespace tarn::input {

struct EngineRequest {
    enum class Kind : std::uint8_t {
        // New settings: `amount` is the nominal DPI; a gesture in progress ends unless
        // `gesturesEnabled`.
        applySettings,
        // `amount` is the distance to move, in centimetres.
        startCalibration,
        // The run ends with `measurement`, the figure the owner was given.
        stopCalibration,
        resetCalibration,
        // Polling rates, bounce counts, the last button and the calibration session.
        resetDiagnostics,
    };

    Kind kind = Kind::applySettings;
    double amount = 0;
    bool gesturesEnabled = true;
    std::optional<std::int64_t> measurement {};
};

} // namespace tarn::input
