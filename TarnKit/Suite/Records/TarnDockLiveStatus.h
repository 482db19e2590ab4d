#pragma once

// What the task-dock application publishes in "tarndock-live.json": the day's task counts, the
// task it suggests next, and the screen frames of its mini panel and studio window, which other
// applications test as drop targets for a dragged window. It reads leniently like the focus
// application's status: only timestamp and senderPID must be there.

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"
#include "TarnKit/Suite/Records/TarnScreenRect.h"

namespace tarn {

class TarnDockLiveStatus {
public:
    // Stores the five counts as at least 0, dailyCapacityMinutes as at least 30 and
    // nextBestTaskMinutes as at least 5; the rest as given.
    TarnDockLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t openTodayCount,
        std::int64_t completedTodayCount, std::int64_t overdueCount, std::int64_t inProgressCount,
        std::int64_t plannedMinutesToday, std::int64_t dailyCapacityMinutes, std::optional<std::string> nextBestTaskID,
        std::optional<std::string> nextBestTaskTitle, std::int64_t nextBestTaskMinutes,
        std::optional<TarnScreenRect> miniPanelFrame, std::optional<TarnScreenRect> studioWindowFrame,
        bool isZenDockedInside);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    std::int64_t openTodayCount() const { return m_openTodayCount; }
    std::int64_t completedTodayCount() const { return m_completedTodayCount; }
    std::int64_t overdueCount() const { return m_overdueCount; }
    std::int64_t inProgressCount() const { return m_inProgressCount; }
    std::int64_t plannedMinutesToday() const { return m_plannedMinutesToday; }
    // The user's daily capacity.
    std::int64_t dailyCapacityMinutes() const { return m_dailyCapacityMinutes; }
    // The task suggested next, and its estimated length.
    const std::optional<std::string>& nextBestTaskID() const { return m_nextBestTaskID; }
    const std::optional<std::string>& nextBestTaskTitle() const { return m_nextBestTaskTitle; }
    std::int64_t nextBestTaskMinutes() const { return m_nextBestTaskMinutes; }
    // Present while shown.
    const std::optional<TarnScreenRect>& miniPanelFrame() const { return m_miniPanelFrame; }
    const std::optional<TarnScreenRect>& studioWindowFrame() const { return m_studioWindowFrame; }
    // The focus application is docked inside the dock.
    bool isZenDockedInside() const { return m_isZenDockedInside; }

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, absent task texts and frames left out; none when a frame holds a
    // value that is not finite.
    std::optional<SuiteJson> toJson() const;
    // timestamp and senderPID required; the rest defaulted when missing or null and clamped when
    // present. A frame must hold all four numbers, or the whole record fails.
    static DecodeResult<TarnDockLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnDockLiveStatus& other) const;

private:
    // The defaults of decoding.
    TarnDockLiveStatus() = default;
    static constexpr auto fields();
    void clamp();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    std::int64_t m_openTodayCount = 0;
    std::int64_t m_completedTodayCount = 0;
    std::int64_t m_overdueCount = 0;
    std::int64_t m_inProgressCount = 0;
    std::int64_t m_plannedMinutesToday = 0;
    std::int64_t m_dailyCapacityMinutes = 360;
    std::optional<std::string> m_nextBestTaskID;
    std::optional<std::string> m_nextBestTaskTitle;
    std::int64_t m_nextBestTaskMinutes = 25;
    std::optional<TarnScreenRect> m_miniPanelFrame;
    std::optional<TarnScreenRect> m_studioWindowFrame;
    bool m_isZenDockedInside = false;
};

} // namespace tarn
