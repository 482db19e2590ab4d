#pragma once

// What the sensors application publishes in "tarnsensors-live.json": processor, graphics and
// memory load, temperatures, fan, power and drive health. The scale of the percentages, the
// range of healthScore and the words of thermalState are the publisher's; nothing checks them.

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class TarnSensorsLiveStatus {
public:
    // Stores every field as given: nothing is clamped or checked, so a record holding NaN can
    // be built but not written.
    TarnSensorsLiveStatus(WallTime timestamp, std::int32_t senderPID, double cpuTotalPercent, double gpuTotalPercent,
        double memoryUsedPercent, std::int64_t swapUsedBytes, std::optional<double> cpuTempCelsius,
        std::optional<double> gpuTempCelsius, std::optional<double> socTempCelsius,
        std::optional<std::int64_t> fanMaxRPM, std::optional<double> systemWatts, std::int64_t healthScore,
        std::string thermalState, std::optional<std::int64_t> nvmeHealthPercent);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    double cpuTotalPercent() const { return m_cpuTotalPercent; }
    double gpuTotalPercent() const { return m_gpuTotalPercent; }
    double memoryUsedPercent() const { return m_memoryUsedPercent; }
    std::int64_t swapUsedBytes() const { return m_swapUsedBytes; }
    const std::optional<double>& cpuTempCelsius() const { return m_cpuTempCelsius; }
    const std::optional<double>& gpuTempCelsius() const { return m_gpuTempCelsius; }
    // System-on-chip temperature.
    const std::optional<double>& socTempCelsius() const { return m_socTempCelsius; }
    // The highest fan speed, revolutions per minute.
    const std::optional<std::int64_t>& fanMaxRPM() const { return m_fanMaxRPM; }
    const std::optional<double>& systemWatts() const { return m_systemWatts; }
    std::int64_t healthScore() const { return m_healthScore; }
    const std::string& thermalState() const { return m_thermalState; }
    const std::optional<std::int64_t>& nvmeHealthPercent() const { return m_nvmeHealthPercent; }

    // The processor's temperature, else the system-on-chip's, else the graphics processor's:
    // the chip reading ranks before the graphics one although the fields stand the other way.
    std::optional<double> headlineTempCelsius() const;

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, absent optionals left out; none when a real field holds NaN or
    // an infinity.
    std::optional<SuiteJson> toJson() const;
    // Every key required but the optionals, which may be missing or null; values as they stand.
    static DecodeResult<TarnSensorsLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnSensorsLiveStatus& other) const;

private:
    TarnSensorsLiveStatus() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    double m_cpuTotalPercent = 0;
    double m_gpuTotalPercent = 0;
    double m_memoryUsedPercent = 0;
    std::int64_t m_swapUsedBytes = 0;
    std::optional<double> m_cpuTempCelsius;
    std::optional<double> m_gpuTempCelsius;
    std::optional<double> m_socTempCelsius;
    std::optional<std::int64_t> m_fanMaxRPM;
    std::optional<double> m_systemWatts;
    std::int64_t m_healthScore = 0;
    std::string m_thermalState;
    std::optional<std::int64_t> m_nvmeHealthPercent;
};

} // namespace tarn
