#include "TarnKit/Suite/Records/TarnDockLiveStatus.h"

#include <algorithm>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnDockLiveStatus::TarnDockLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t openTodayCount,
    std::int64_t completedTodayCount, std::int64_t overdueCount, std::int64_t inProgressCount,
    std::int64_t plannedMinutesToday, std::int64_t dailyCapacityMinutes, std::optional<std::string> nextBestTaskID,
    std::optional<std::string> nextBestTaskTitle, std::int64_t nextBestTaskMinutes,
    std::optional<TarnScreenRect> miniPanelFrame, std::optional<TarnScreenRect> studioWindowFrame,
    bool isZenDockedInside)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_openTodayCount(openTodayCount)
    , m_completedTodayCount(completedTodayCount)
    , m_overdueCount(overdueCount)
    , m_inProgressCount(inProgressCount)
    , m_plannedMinutesToday(plannedMinutesToday)
    , m_dailyCapacityMinutes(dailyCapacityMinutes)
    , m_nextBestTaskID(std::move(nextBestTaskID))
    , m_nextBestTaskTitle(std::move(nextBestTaskTitle))
    , m_nextBestTaskMinutes(nextBestTaskMinutes)
    , m_miniPanelFrame(miniPanelFrame)
    , m_studioWindowFrame(studioWindowFrame)
    , m_isZenDockedInside(isZenDockedInside)
{
    clamp();
}

constexpr auto TarnDockLiveStatus::fields()
{
    using S = TarnDockLiveStatus;
    constexpr auto kDefaulted = SuiteFieldAbsence::keepsDefault;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"openTodayCount", &S::m_openTodayCount, kDefaulted},
        SuiteField {"completedTodayCount", &S::m_completedTodayCount, kDefaulted},
        SuiteField {"overdueCount", &S::m_overdueCount, kDefaulted},
        SuiteField {"inProgressCount", &S::m_inProgressCount, kDefaulted},
        SuiteField {"plannedMinutesToday", &S::m_plannedMinutesToday, kDefaulted},
        SuiteField {"dailyCapacityMinutes", &S::m_dailyCapacityMinutes, kDefaulted},
        SuiteField {"nextBestTaskID", &S::m_nextBestTaskID},
        SuiteField {"nextBestTaskTitle", &S::m_nextBestTaskTitle},
        SuiteField {"nextBestTaskMinutes", &S::m_nextBestTaskMinutes, kDefaulted},
        SuiteField {"miniPanelFrame", &S::m_miniPanelFrame},
        SuiteField {"studioWindowFrame", &S::m_studioWindowFrame},
        SuiteField {"isZenDockedInside", &S::m_isZenDockedInside, kDefaulted},
    };
}

// The defaults already lie within these limits, so clamping a whole decoded record clamps
// exactly the values that were present. Frames are not touched: a read frame stays as read.
void TarnDockLiveStatus::clamp()
{
    m_openTodayCount = std::max<std::int64_t>(0, m_openTodayCount);
    m_completedTodayCount = std::max<std::int64_t>(0, m_completedTodayCount);
    m_overdueCount = std::max<std::int64_t>(0, m_overdueCount);
    m_inProgressCount = std::max<std::int64_t>(0, m_inProgressCount);
    m_plannedMinutesToday = std::max<std::int64_t>(0, m_plannedMinutesToday);
    m_dailyCapacityMinutes = std::max<std::int64_t>(30, m_dailyCapacityMinutes);
    m_nextBestTaskMinutes = std::max<std::int64_t>(5, m_nextBestTaskMinutes);
}

bool TarnDockLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnDockLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnDockLiveStatus> TarnDockLiveStatus::fromJson(const nlohmann::json& value)
{
    auto decoded = decodeSuiteFields(value, TarnDockLiveStatus {}, fields());
    if (decoded) {
        decoded.value().clamp();
    }
    return decoded;
}

bool TarnDockLiveStatus::operator==(const TarnDockLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
