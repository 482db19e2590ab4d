#include "TarnKit/Suite/Records/TarnSensorsLiveStatus.h"

#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnSensorsLiveStatus::TarnSensorsLiveStatus(WallTime timestamp, std::int32_t senderPID, double cpuTotalPercent,
    double gpuTotalPercent, double memoryUsedPercent, std::int64_t swapUsedBytes, std::optional<double> cpuTempCelsius,
    std::optional<double> gpuTempCelsius, std::optional<double> socTempCelsius, std::optional<std::int64_t> fanMaxRPM,
    std::optional<double> systemWatts, std::int64_t healthScore, std::string thermalState,
    std::optional<std::int64_t> nvmeHealthPercent)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_cpuTotalPercent(cpuTotalPercent)
    , m_gpuTotalPercent(gpuTotalPercent)
    , m_memoryUsedPercent(memoryUsedPercent)
    , m_swapUsedBytes(swapUsedBytes)
    , m_cpuTempCelsius(cpuTempCelsius)
    , m_gpuTempCelsius(gpuTempCelsius)
    , m_socTempCelsius(socTempCelsius)
    , m_fanMaxRPM(fanMaxRPM)
    , m_systemWatts(systemWatts)
    , m_healthScore(healthScore)
    , m_thermalState(std::move(thermalState))
    , m_nvmeHealthPercent(nvmeHealthPercent)
{
}

constexpr auto TarnSensorsLiveStatus::fields()
{
    using S = TarnSensorsLiveStatus;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"cpuTotalPercent", &S::m_cpuTotalPercent},
        SuiteField {"gpuTotalPercent", &S::m_gpuTotalPercent},
        SuiteField {"memoryUsedPercent", &S::m_memoryUsedPercent},
        SuiteField {"swapUsedBytes", &S::m_swapUsedBytes},
        SuiteField {"cpuTempCelsius", &S::m_cpuTempCelsius},
        SuiteField {"gpuTempCelsius", &S::m_gpuTempCelsius},
        SuiteField {"socTempCelsius", &S::m_socTempCelsius},
        SuiteField {"fanMaxRPM", &S::m_fanMaxRPM},
        SuiteField {"systemWatts", &S::m_systemWatts},
        SuiteField {"healthScore", &S::m_healthScore},
        SuiteField {"thermalState", &S::m_thermalState},
        SuiteField {"nvmeHealthPercent", &S::m_nvmeHealthPercent},
    };
}

std::optional<double> TarnSensorsLiveStatus::headlineTempCelsius() const
{
    if (m_cpuTempCelsius) {
        return m_cpuTempCelsius;
    }
    if (m_socTempCelsius) {
        return m_socTempCelsius;
    }
    return m_gpuTempCelsius;
}

bool TarnSensorsLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnSensorsLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnSensorsLiveStatus> TarnSensorsLiveStatus::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnSensorsLiveStatus {}, fields());
}

bool TarnSensorsLiveStatus::operator==(const TarnSensorsLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
