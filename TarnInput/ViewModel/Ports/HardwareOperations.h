#pragma once

// What the Hardware screen reads and asks of the program beyond the settings value and the
// devices: the live telemetry and polling rates, the calibration lab and the engine's hardware commands.
// Observers run on the main thread after each change; an observer stays registered while its
// subscription lives. Main thread only.

#include <cstdint>
#include <functional>
#include <vector>

#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnInputCore/Model/Pointer/PointerTelemetrySnapshot.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class HardwareOperations {
public:
    virtual ~HardwareOperations() = default;

    virtual const PointerTelemetrySnapshot& telemetry() const = 0;
    virtual Subscription observeTelemetry(std::function<void()> observer) = 0;
    // The newest positive polling rates, oldest first.
    virtual const std::vector<std::int64_t>& hzHistory() const = 0;
    virtual Subscription observeHzHistory(std::function<void()> observer) = 0;
    virtual const PointerCalibrationSnapshot& calibration() const = 0;
    virtual Subscription observeCalibration(std::function<void()> observer) = 0;

    virtual void copyHardwareReport() = 0;
    virtual void resetDiagnostics() = 0;
    virtual void setDisableMouseAcceleration(bool disabled) = 0;
    // Not finite → 1600, otherwise held within 100…32000.
    virtual void setNominalDPI(double dpi) = 0;
    // Starts or stops the guided measurement, by the last published calibration state.
    virtual void toggleDPICalibration() = 0;
    virtual void applyMeasuredDPI() = 0;
    // Sets the lab's travelled distance and click counters back to zero.
    virtual void resetCalibrationLab() = 0;
};

} // namespace tarn::input
