#pragma once

// What the focus-session application publishes in "tarnzen-live.json": the running session, its
// task, the distraction shield and the day's figures. Unlike the other statuses it reads
// leniently: only timestamp and senderPID must be there, every other missing or null key takes
// its default, and read values are clamped as the initialiser clamps them.

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class TarnZenLiveStatus {
public:
    // Stores remainingSeconds, lockedAppsCount, blockedDomainsCount, completedSessionsToday and
    // currentStreakDays as at least 0, totalSeconds as at least 1, focusScorePercent within
    // 0...100 and todayProductiveSeconds as 0 when below 0 or NaN; the rest as given.
    TarnZenLiveStatus(WallTime timestamp, std::int32_t senderPID, bool isRunning, bool isBreak,
        std::string sessionModeRaw, std::int64_t remainingSeconds, std::int64_t totalSeconds,
        std::string currentIntention, std::optional<std::string> activeTaskID,
        std::optional<std::string> activeTaskTitle, std::optional<std::string> activeProjectName, bool isShieldActive,
        std::int64_t lockedAppsCount, std::int64_t blockedDomainsCount, bool isStrictMode, bool isAmbientPlaying,
        std::int64_t focusScorePercent, std::int64_t completedSessionsToday, std::int64_t currentStreakDays,
        double todayProductiveSeconds, bool isDockedInsideTarnDock);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    bool isRunning() const { return m_isRunning; }
    // The current session is a break.
    bool isBreak() const { return m_isBreak; }
    // The sender's own name for its session mode, not checked against any list.
    const std::string& sessionModeRaw() const { return m_sessionModeRaw; }
    std::int64_t remainingSeconds() const { return m_remainingSeconds; }
    std::int64_t totalSeconds() const { return m_totalSeconds; }
    // May be empty.
    const std::string& currentIntention() const { return m_currentIntention; }
    const std::optional<std::string>& activeTaskID() const { return m_activeTaskID; }
    const std::optional<std::string>& activeTaskTitle() const { return m_activeTaskTitle; }
    const std::optional<std::string>& activeProjectName() const { return m_activeProjectName; }
    // The distraction shield is on; it locks applications and blocks web domains.
    bool isShieldActive() const { return m_isShieldActive; }
    std::int64_t lockedAppsCount() const { return m_lockedAppsCount; }
    std::int64_t blockedDomainsCount() const { return m_blockedDomainsCount; }
    bool isStrictMode() const { return m_isStrictMode; }
    bool isAmbientPlaying() const { return m_isAmbientPlaying; }
    std::int64_t focusScorePercent() const { return m_focusScorePercent; }
    std::int64_t completedSessionsToday() const { return m_completedSessionsToday; }
    std::int64_t currentStreakDays() const { return m_currentStreakDays; }
    double todayProductiveSeconds() const { return m_todayProductiveSeconds; }
    // The sender's window is docked inside the dock application.
    bool isDockedInsideTarnDock() const { return m_isDockedInsideTarnDock; }

    // The share of the current session that has elapsed, 0...1.
    double progress() const;

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, absent task fields left out; none when todayProductiveSeconds is
    // infinite.
    std::optional<SuiteJson> toJson() const;
    // timestamp and senderPID required; the rest defaulted when missing or null and clamped when
    // present. A present value of the wrong kind (text for a number, 87.5 or a number out of
    // range for an integer, a number for a Boolean) fails the whole record.
    static DecodeResult<TarnZenLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnZenLiveStatus& other) const;

private:
    // The defaults of decoding.
    TarnZenLiveStatus() = default;
    static constexpr auto fields();
    void clamp();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    bool m_isRunning = false;
    bool m_isBreak = false;
    std::string m_sessionModeRaw = "pomodoro25";
    std::int64_t m_remainingSeconds = 1500;
    std::int64_t m_totalSeconds = 1500;
    std::string m_currentIntention;
    std::optional<std::string> m_activeTaskID;
    std::optional<std::string> m_activeTaskTitle;
    std::optional<std::string> m_activeProjectName;
    bool m_isShieldActive = false;
    std::int64_t m_lockedAppsCount = 0;
    std::int64_t m_blockedDomainsCount = 0;
    bool m_isStrictMode = false;
    bool m_isAmbientPlaying = false;
    std::int64_t m_focusScorePercent = 0;
    std::int64_t m_completedSessionsToday = 0;
    std::int64_t m_currentStreakDays = 0;
    double m_todayProductiveSeconds = 0;
    bool m_isDockedInsideTarnDock = false;
};

} // namespace tarn
