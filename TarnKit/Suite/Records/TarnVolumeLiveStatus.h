#pragma once

// What the per-application volume application publishes in "tarnvolume-live.json": the master
// volume, the output device, and one row per application that has an audio channel.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"
#include "TarnKit/Suite/Records/TarnVolumeAudioAppItem.h"

namespace tarn {

class TarnVolumeLiveStatus {
public:
    // Stores masterVolume within 0...1 (a NaN as 1: the upper limit is taken first, by a minimum
    // that prefers the number); the rows as given.
    TarnVolumeLiveStatus(WallTime timestamp, std::int32_t senderPID, double masterVolume, std::string outputDeviceName,
        std::vector<TarnVolumeAudioAppItem> channels);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    double masterVolume() const { return m_masterVolume; }
    const std::string& outputDeviceName() const { return m_outputDeviceName; }
    // In the publisher's order; may be empty.
    const std::vector<TarnVolumeAudioAppItem>& channels() const { return m_channels; }

    // Rows playing and not muted.
    std::int64_t activePlayingCount() const;
    // Rows muted, playing or not.
    std::int64_t mutedCount() const;

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, the rows as an array of objects; none when a real value of the
    // status or of a row is not finite.
    std::optional<SuiteJson> toJson() const;
    // Every key required, none may be null; one bad row fails the whole status. Values as they
    // stand, unclamped.
    static DecodeResult<TarnVolumeLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnVolumeLiveStatus& other) const;

private:
    TarnVolumeLiveStatus() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    double m_masterVolume = 0;
    std::string m_outputDeviceName;
    std::vector<TarnVolumeAudioAppItem> m_channels;
};

} // namespace tarn
