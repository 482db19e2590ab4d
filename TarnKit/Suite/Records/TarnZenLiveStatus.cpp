#include "TarnKit/Suite/Records/TarnZenLiveStatus.h"

#include <algorithm>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnZenLiveStatus::TarnZenLiveStatus(WallTime timestamp, std::int32_t senderPID, bool isRunning, bool isBreak,
    std::string sessionModeRaw, std::int64_t remainingSeconds, std::int64_t totalSeconds, std::string currentIntention,
    std::optional<std::string> activeTaskID, std::optional<std::string> activeTaskTitle,
    std::optional<std::string> activeProjectName, bool isShieldActive, std::int64_t lockedAppsCount,
    std::int64_t blockedDomainsCount, bool isStrictMode, bool isAmbientPlaying, std::int64_t focusScorePercent,
    std::int64_t completedSessionsToday, std::int64_t currentStreakDays, double todayProductiveSeconds,
    bool isDockedInsideTarnDock)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_isRunning(isRunning)
    , m_isBreak(isBreak)
    , m_sessionModeRaw(std::move(sessionModeRaw))
    , m_remainingSeconds(remainingSeconds)
    , m_totalSeconds(totalSeconds)
    , m_currentIntention(std::move(currentIntention))
    , m_activeTaskID(std::move(activeTaskID))
    , m_activeTaskTitle(std::move(activeTaskTitle))
    , m_activeProjectName(std::move(activeProjectName))
    , m_isShieldActive(isShieldActive)
    , m_lockedAppsCount(lockedAppsCount)
    , m_blockedDomainsCount(blockedDomainsCount)
    , m_isStrictMode(isStrictMode)
    , m_isAmbientPlaying(isAmbientPlaying)
    , m_focusScorePercent(focusScorePercent)
    , m_completedSessionsToday(completedSessionsToday)
    , m_currentStreakDays(currentStreakDays)
    , m_todayProductiveSeconds(todayProductiveSeconds)
    , m_isDockedInsideTarnDock(isDockedInsideTarnDock)
{
    clamp();
}

constexpr auto TarnZenLiveStatus::fields()
{
    using S = TarnZenLiveStatus;
    constexpr auto kDefaulted = SuiteFieldAbsence::keepsDefault;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"isRunning", &S::m_isRunning, kDefaulted},
        SuiteField {"isBreak", &S::m_isBreak, kDefaulted},
        SuiteField {"sessionModeRaw", &S::m_sessionModeRaw, kDefaulted},
        SuiteField {"remainingSeconds", &S::m_remainingSeconds, kDefaulted},
        SuiteField {"totalSeconds", &S::m_totalSeconds, kDefaulted},
        SuiteField {"currentIntention", &S::m_currentIntention, kDefaulted},
        SuiteField {"activeTaskID", &S::m_activeTaskID},
        SuiteField {"activeTaskTitle", &S::m_activeTaskTitle},
        SuiteField {"activeProjectName", &S::m_activeProjectName},
        SuiteField {"isShieldActive", &S::m_isShieldActive, kDefaulted},
        SuiteField {"lockedAppsCount", &S::m_lockedAppsCount, kDefaulted},
        SuiteField {"blockedDomainsCount", &S::m_blockedDomainsCount, kDefaulted},
        SuiteField {"isStrictMode", &S::m_isStrictMode, kDefaulted},
        SuiteField {"isAmbientPlaying", &S::m_isAmbientPlaying, kDefaulted},
        SuiteField {"focusScorePercent", &S::m_focusScorePercent, kDefaulted},
        SuiteField {"completedSessionsToday", &S::m_completedSessionsToday, kDefaulted},
        SuiteField {"currentStreakDays", &S::m_currentStreakDays, kDefaulted},
        SuiteField {"todayProductiveSeconds", &S::m_todayProductiveSeconds, kDefaulted},
        SuiteField {"isDockedInsideTarnDock", &S::m_isDockedInsideTarnDock, kDefaulted},
    };
}

// The defaults already lie within these limits, so clamping a whole decoded record clamps
// exactly the values that were present.
void TarnZenLiveStatus::clamp()
{
    m_remainingSeconds = std::max<std::int64_t>(0, m_remainingSeconds);
    m_totalSeconds = std::max<std::int64_t>(1, m_totalSeconds);
    m_lockedAppsCount = std::max<std::int64_t>(0, m_lockedAppsCount);
    m_blockedDomainsCount = std::max<std::int64_t>(0, m_blockedDomainsCount);
    m_focusScorePercent = std::clamp<std::int64_t>(m_focusScorePercent, 0, 100);
    m_completedSessionsToday = std::max<std::int64_t>(0, m_completedSessionsToday);
    m_currentStreakDays = std::max<std::int64_t>(0, m_currentStreakDays);
    m_todayProductiveSeconds = nonNegativeOrZero(m_todayProductiveSeconds);
}

double TarnZenLiveStatus::progress() const
{
    const auto total = static_cast<double>(std::max<std::int64_t>(1, m_totalSeconds));
    return std::min(nonNegativeOrZero(1.0 - static_cast<double>(m_remainingSeconds) / total), 1.0);
}

bool TarnZenLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnZenLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnZenLiveStatus> TarnZenLiveStatus::fromJson(const nlohmann::json& value)
{
    auto decoded = decodeSuiteFields(value, TarnZenLiveStatus {}, fields());
    if (decoded) {
        decoded.value().clamp();
    }
    return decoded;
}

bool TarnZenLiveStatus::operator==(const TarnZenLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
