#pragma once

// One row of the volume application's status: an application with an audio channel. `id` is the
// row's identity wherever rows are listed or matched; its form, and the scale of rmsLevel, are
// the publisher's.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

namespace tarn {

class TarnVolumeAudioAppItem {
public:
    // Stores volume within 0...2 (a NaN as 2: the upper limit is taken first, by a minimum that
    // prefers the number) and rmsLevel as 0 when it is below 0 or NaN, with no upper bound.
    TarnVolumeAudioAppItem(std::string id, std::string bundleID, std::string appName, bool isPlayingAudio, bool isMuted,
        double volume, float rmsLevel);

    const std::string& id() const { return m_id; }
    const std::string& bundleID() const { return m_bundleID; }
    const std::string& appName() const { return m_appName; }
    // The application is producing sound.
    bool isPlayingAudio() const { return m_isPlayingAudio; }
    bool isMuted() const { return m_isMuted; }
    // The application's own volume.
    double volume() const { return m_volume; }
    // The channel's RMS signal level.
    float rmsLevel() const { return m_rmsLevel; }

    // The seven keys in field order; none when volume or rmsLevel is not finite.
    std::optional<SuiteJson> toJson() const;
    // Every key required, none may be null; values as they stand, unclamped.
    static DecodeResult<TarnVolumeAudioAppItem> fromJson(const nlohmann::json& value);

    bool operator==(const TarnVolumeAudioAppItem& other) const;

private:
    TarnVolumeAudioAppItem() = default;
    static constexpr auto fields();

    std::string m_id;
    std::string m_bundleID;
    std::string m_appName;
    bool m_isPlayingAudio = false;
    bool m_isMuted = false;
    double m_volume = 0;
    float m_rmsLevel = 0;
};

} // namespace tarn
