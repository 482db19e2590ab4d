#include "TarnKit/Suite/Records/TarnVolumeAudioAppItem.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"

namespace tarn {

TarnVolumeAudioAppItem::TarnVolumeAudioAppItem(std::string id, std::string bundleID, std::string appName,
    bool isPlayingAudio, bool isMuted, double volume, float rmsLevel)
    : m_id(std::move(id))
    , m_bundleID(std::move(bundleID))
    , m_appName(std::move(appName))
    , m_isPlayingAudio(isPlayingAudio)
    , m_isMuted(isMuted)
    , m_volume(std::max(0.0, std::fmin(volume, 2.0)))
    , m_rmsLevel(nonNegativeOrZero(rmsLevel))
{
}

constexpr auto TarnVolumeAudioAppItem::fields()
{
    using I = TarnVolumeAudioAppItem;
    return std::tuple {
        SuiteField {"id", &I::m_id},
        SuiteField {"bundleID", &I::m_bundleID},
        SuiteField {"appName", &I::m_appName},
        SuiteField {"isPlayingAudio", &I::m_isPlayingAudio},
        SuiteField {"isMuted", &I::m_isMuted},
        SuiteField {"volume", &I::m_volume},
        SuiteField {"rmsLevel", &I::m_rmsLevel},
    };
}

std::optional<SuiteJson> TarnVolumeAudioAppItem::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnVolumeAudioAppItem> TarnVolumeAudioAppItem::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnVolumeAudioAppItem {}, fields());
}

bool TarnVolumeAudioAppItem::operator==(const TarnVolumeAudioAppItem& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
