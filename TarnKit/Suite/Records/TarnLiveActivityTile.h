#pragma once

// The one small card a family application offers about its current activity, for the others to
// show side by side: both titles, a main figure, an optional second figure and progress, a
// symbol, a tone and a priority. A tile stands for its application: its id is the application's
// raw value, and the telemetry bus keeps one tile per application.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Commands/TarnSuiteApp.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class TarnLiveActivityTile {
public:
    // The visual tone; each raw value is the case's name.
    enum class Tone {
        neutral,
        active,
        success,
        warning,
        danger,
    };

    // Stores progress, when given, within 0...1 (a NaN as 0), and symbolName as given (an empty
    // text included) or, when none is given, the catalog symbol of `app`; the rest as given.
    TarnLiveActivityTile(TarnSuiteApp app, WallTime timestamp, std::int32_t senderPID, std::string titleEN,
        std::string titleTR, std::string primaryMetric, std::optional<std::string> secondaryMetric,
        std::optional<double> progress, std::optional<std::string> symbolName, Tone tone, std::int64_t priority);

    // The application the tile is about.
    TarnSuiteApp app() const { return m_app; }
    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    const std::string& titleEN() const { return m_titleEN; }
    const std::string& titleTR() const { return m_titleTR; }
    // The main figure, as display text.
    const std::string& primaryMetric() const { return m_primaryMetric; }
    const std::optional<std::string>& secondaryMetric() const { return m_secondaryMetric; }
    // Completion fraction.
    const std::optional<double>& progress() const { return m_progress; }
    // The symbol-set name the tile is shown with.
    const std::string& symbolName() const { return m_symbolName; }
    Tone tone() const { return m_tone; }
    // Ordering weight: the bus lists higher values first.
    std::int64_t priority() const { return m_priority; }

    // The raw value of app: tiles of one application share it whatever they hold.
    std::string_view id() const { return rawValue(m_app); }

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, an absent second figure and progress left out. Always written
    // for a tile this initialiser or fromJson made (progress is then finite).
    std::optional<SuiteJson> toJson() const;
    // Every key required but "secondaryMetric" and "progress", which may be missing or null; an
    // application or tone that is not one of the raw values fails. Values as they stand: a file's
    // progress of 1.7 stays 1.7 and an empty symbol name stays empty.
    static DecodeResult<TarnLiveActivityTile> fromJson(const nlohmann::json& value);

    bool operator==(const TarnLiveActivityTile& other) const;

private:
    TarnLiveActivityTile() = default;
    static constexpr auto fields();

    TarnSuiteApp m_app = TarnSuiteApp::tarnReaper;
    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    std::string m_titleEN;
    std::string m_titleTR;
    std::string m_primaryMetric;
    std::optional<std::string> m_secondaryMetric;
    std::optional<double> m_progress;
    std::string m_symbolName;
    Tone m_tone = Tone::neutral;
    std::int64_t m_priority = 0;
};

std::string_view rawValue(TarnLiveActivityTile::Tone tone);
// Exact, case-sensitive match: "Active" is no tone.
std::optional<TarnLiveActivityTile::Tone> liveActivityToneFromRawValue(std::string_view raw);

template <>
struct SuiteJsonValue<TarnLiveActivityTile::Tone>
    : RawValueSuiteJsonValue<TarnLiveActivityTile::Tone, liveActivityToneFromRawValue> {
};

} // namespace tarn
