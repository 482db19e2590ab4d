#include "TarnKit/Suite/Records/TarnVolumeLiveStatus.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnVolumeLiveStatus::TarnVolumeLiveStatus(WallTime timestamp, std::int32_t senderPID, double masterVolume,
    std::string outputDeviceName, std::vector<TarnVolumeAudioAppItem> channels)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_masterVolume(std::max(0.0, std::fmin(masterVolume, 1.0)))
    , m_outputDeviceName(std::move(outputDeviceName))
    , m_channels(std::move(channels))
{
}

constexpr auto TarnVolumeLiveStatus::fields()
{
    using S = TarnVolumeLiveStatus;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"masterVolume", &S::m_masterVolume},
        SuiteField {"outputDeviceName", &S::m_outputDeviceName},
        SuiteField {"channels", &S::m_channels},
    };
}

std::int64_t TarnVolumeLiveStatus::activePlayingCount() const
{
    return std::ranges::count_if(
        m_channels, [](const TarnVolumeAudioAppItem& row) { return row.isPlayingAudio() && !row.isMuted(); });
}

std::int64_t TarnVolumeLiveStatus::mutedCount() const
{
    return std::ranges::count_if(m_channels, &TarnVolumeAudioAppItem::isMuted);
}

bool TarnVolumeLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnVolumeLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnVolumeLiveStatus> TarnVolumeLiveStatus::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnVolumeLiveStatus {}, fields());
}

bool TarnVolumeLiveStatus::operator==(const TarnVolumeLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
