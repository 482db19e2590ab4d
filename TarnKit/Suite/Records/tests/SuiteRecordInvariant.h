#pragma once

// The invariant every suite record's coding keeps, whatever text it is given: reading either
// fails or gives a record that can be written, reads back equal, and writes back the same text.
// The randomized test and the fuzz target both check it.

#include <string>
#include <string_view>

#include "TarnKit/Suite/Records/Coding/SuiteRecordText.h"
#include "TarnKit/Suite/Records/TarnDockLiveStatus.h"
#include "TarnKit/Suite/Records/TarnLiveActivityTile.h"
#include "TarnKit/Suite/Records/TarnMemoryLiveStatus.h"
#include "TarnKit/Suite/Records/TarnReaperLiveStatus.h"
#include "TarnKit/Suite/Records/TarnSensorsLiveStatus.h"
#include "TarnKit/Suite/Records/TarnTunesLiveStatus.h"
#include "TarnKit/Suite/Records/TarnVolumeLiveStatus.h"
#include "TarnKit/Suite/Records/TarnZenLiveStatus.h"

namespace tarn::suite_testing {

// Whether `text` read as a Record keeps the invariant; `decoded` tells whether it was a record.
template <SuiteRecord Record> bool keepsInvariant(std::string_view text, bool& decoded)
{
    const auto record = decodeSuiteRecord<Record>(text);
    decoded = record.has_value();
    if (!record) {
        return true;
    }
    const auto written = encodeSuiteRecord(*record);
    if (!written) {
        return false;
    }
    const auto reread = decodeSuiteRecord<Record>(*written);
    return reread && *reread == *record && encodeSuiteRecord(*reread) == written;
}

// The same for every record type of the suite; `decodedCount` counts the types that read it.
inline bool allRecordsKeepInvariant(std::string_view text, int& decodedCount)
{
    bool kept = true;
    const auto check = [&]<typename Record>(Record*) {
        bool decoded = false;
        kept = keepsInvariant<Record>(text, decoded) && kept;
        decodedCount += decoded ? 1 : 0;
    };
    check(static_cast<TarnMemoryLiveStatus*>(nullptr));
    check(static_cast<TarnMemoryOffloadLiveProgress*>(nullptr));
    check(static_cast<TarnSensorsLiveStatus*>(nullptr));
    check(static_cast<TarnReaperLiveStatus*>(nullptr));
    check(static_cast<TarnVolumeLiveStatus*>(nullptr));
    check(static_cast<TarnVolumeAudioAppItem*>(nullptr));
    check(static_cast<TarnTunesLiveStatus*>(nullptr));
    check(static_cast<TarnZenLiveStatus*>(nullptr));
    check(static_cast<TarnDockLiveStatus*>(nullptr));
    check(static_cast<TarnScreenRect*>(nullptr));
    check(static_cast<TarnLiveActivityTile*>(nullptr));
    return kept;
}

} // namespace tarn::suite_testing
