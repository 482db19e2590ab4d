#pragma once

// What the music player publishes in "tarntunes-live.json": the track now playing, the
// transport state and the player volume. The labels of qualityBadge are the publisher's.

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class TarnTunesLiveStatus {
public:
    // Stores elapsedSeconds and durationSeconds as 0 when below 0 or NaN, and volume within
    // 0...1 with a NaN as 0 (the lower limit is taken first, unlike the volume application's
    // master volume); the rest as given. An infinite position or length passes and can then not
    // be written.
    TarnTunesLiveStatus(WallTime timestamp, std::int32_t senderPID, std::string title, std::string artist,
        std::string album, std::string qualityBadge, bool isPlaying, double elapsedSeconds, double durationSeconds,
        double volume);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    const std::string& title() const { return m_title; }
    const std::string& artist() const { return m_artist; }
    const std::string& album() const { return m_album; }
    // The publisher's short quality label for the track.
    const std::string& qualityBadge() const { return m_qualityBadge; }
    bool isPlaying() const { return m_isPlaying; }
    // Position in the track and its length, seconds.
    double elapsedSeconds() const { return m_elapsedSeconds; }
    double durationSeconds() const { return m_durationSeconds; }
    double volume() const { return m_volume; }

    // The share of the track played, 0...1; 0 when the length is not above 0.
    double progress() const;

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The ten keys in field order; none when a real field is not finite.
    std::optional<SuiteJson> toJson() const;
    // Every key required, none may be null; values as they stand, unclamped.
    static DecodeResult<TarnTunesLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnTunesLiveStatus& other) const;

private:
    TarnTunesLiveStatus() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    std::string m_title;
    std::string m_artist;
    std::string m_album;
    std::string m_qualityBadge;
    bool m_isPlaying = false;
    double m_elapsedSeconds = 0;
    double m_durationSeconds = 0;
    double m_volume = 0;
};

} // namespace tarn
