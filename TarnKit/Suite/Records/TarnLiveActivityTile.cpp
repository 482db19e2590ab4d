#include "TarnKit/Suite/Records/TarnLiveActivityTile.h"

#include <algorithm>
#include <tuple>

#include "TarnKit/Foundation/Basics/EnumTable.h"
#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {
namespace {

using Tone = TarnLiveActivityTile::Tone;

constexpr EnumTable kTones {std::to_array<EnumRawValue<Tone>>({
    {Tone::neutral, "neutral"},
    {Tone::active, "active"},
    {Tone::success, "success"},
    {Tone::warning, "warning"},
    {Tone::danger, "danger"},
})};

std::optional<double> clampedProgress(std::optional<double> progress)
{
    if (!progress) {
        return std::nullopt;
    }
    return std::min(nonNegativeOrZero(*progress), 1.0);
}

} // namespace

std::string_view rawValue(TarnLiveActivityTile::Tone tone)
{
    return kTones[tone].raw;
}

std::optional<TarnLiveActivityTile::Tone> liveActivityToneFromRawValue(std::string_view raw)
{
    return kTones.fromRaw(raw);
}

TarnLiveActivityTile::TarnLiveActivityTile(TarnSuiteApp app, WallTime timestamp, std::int32_t senderPID,
    std::string titleEN, std::string titleTR, std::string primaryMetric, std::optional<std::string> secondaryMetric,
    std::optional<double> progress, std::optional<std::string> symbolName, Tone tone, std::int64_t priority)
    : m_app(app)
    , m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_titleEN(std::move(titleEN))
    , m_titleTR(std::move(titleTR))
    , m_primaryMetric(std::move(primaryMetric))
    , m_secondaryMetric(std::move(secondaryMetric))
    , m_progress(clampedProgress(progress))
    , m_symbolName(symbolName ? std::move(*symbolName) : std::string(tarn::symbolName(app)))
    , m_tone(tone)
    , m_priority(priority)
{
}

constexpr auto TarnLiveActivityTile::fields()
{
    using T = TarnLiveActivityTile;
    return std::tuple {
        SuiteField {"app", &T::m_app},
        SuiteField {"timestamp", &T::m_timestamp},
        SuiteField {"senderPID", &T::m_senderPID},
        SuiteField {"titleEN", &T::m_titleEN},
        SuiteField {"titleTR", &T::m_titleTR},
        SuiteField {"primaryMetric", &T::m_primaryMetric},
        SuiteField {"secondaryMetric", &T::m_secondaryMetric},
        SuiteField {"progress", &T::m_progress},
        SuiteField {"symbolName", &T::m_symbolName},
        SuiteField {"tone", &T::m_tone},
        SuiteField {"priority", &T::m_priority},
    };
}

bool TarnLiveActivityTile::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnLiveActivityTile::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnLiveActivityTile> TarnLiveActivityTile::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnLiveActivityTile {}, fields());
}

bool TarnLiveActivityTile::operator==(const TarnLiveActivityTile& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
