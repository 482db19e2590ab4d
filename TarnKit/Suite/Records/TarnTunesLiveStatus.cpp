#include "TarnKit/Suite/Records/TarnTunesLiveStatus.h"

#include <algorithm>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnTunesLiveStatus::TarnTunesLiveStatus(WallTime timestamp, std::int32_t senderPID, std::string title,
    std::string artist, std::string album, std::string qualityBadge, bool isPlaying, double elapsedSeconds,
    double durationSeconds, double volume)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_title(std::move(title))
    , m_artist(std::move(artist))
    , m_album(std::move(album))
    , m_qualityBadge(std::move(qualityBadge))
    , m_isPlaying(isPlaying)
    , m_elapsedSeconds(nonNegativeOrZero(elapsedSeconds))
    , m_durationSeconds(nonNegativeOrZero(durationSeconds))
    , m_volume(std::min(nonNegativeOrZero(volume), 1.0))
{
}

constexpr auto TarnTunesLiveStatus::fields()
{
    using S = TarnTunesLiveStatus;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"title", &S::m_title},
        SuiteField {"artist", &S::m_artist},
        SuiteField {"album", &S::m_album},
        SuiteField {"qualityBadge", &S::m_qualityBadge},
        SuiteField {"isPlaying", &S::m_isPlaying},
        SuiteField {"elapsedSeconds", &S::m_elapsedSeconds},
        SuiteField {"durationSeconds", &S::m_durationSeconds},
        SuiteField {"volume", &S::m_volume},
    };
}

double TarnTunesLiveStatus::progress() const
{
    if (!(m_durationSeconds > 0)) {
        return 0;
    }
    return std::min(nonNegativeOrZero(m_elapsedSeconds / m_durationSeconds), 1.0);
}

bool TarnTunesLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnTunesLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnTunesLiveStatus> TarnTunesLiveStatus::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnTunesLiveStatus {}, fields());
}

bool TarnTunesLiveStatus::operator==(const TarnTunesLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
