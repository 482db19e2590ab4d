#pragma once

// The family's catalog of applications. A row's position is its catalog index (the emblem
// artwork is chosen by it), and its raw value is the name in lower case, letters and digits only.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Identity/BuildInfo.h"

namespace tarn {

enum class TarnAppIdentity {
    tarnNotes,
    tarnWriter,
    tarnSheets,
    tarnSlides,
    tarnMail,
    tarnCalendar,
    tarnTasks,
    tarnContacts,
    tarnReader,
    tarnClip,
    tarnSnippets,
    tarnPlanner,
    tarnJournal,
    tarnBoard,
    tarnMind,
    tarnDocs,
    tarnZen,
    tarnDock,
    tarnFocus,
    tarnHabit,
    tarnTimesheet,
    tarnForms,
    tarnScan,
    tarnSign,
    tarnTranslate,
    tarnDictate,
    tarnLauncher,
    tarnPhotos,
    tarnCapture,
    tarnRecorder,
    tarnDisplay,
    tarnPaint,
    tarnVector,
    tarnVideo,
    tarnPodcast,
    tarnRadio,
    tarnVolume,
    tarnTunes,
    tarnStream,
    tarnCast,
    tarnGif,
    tarnColor,
    tarnFonts,
    tarnCleaner,
    tarnMemory,
    tarnSensors,
    tarnReaper,
    tarnBattery,
    tarnDisk,
    tarnInput,
    tarnKeys,
    tarnWindows,
    tarnNetwork,
    tarnFirewall,
    tarnTunnel,
    tarnSpeed,
    tarnPing,
    tarnWifi,
    tarnBluetooth,
    tarnBackup,
    tarnSync,
    tarnVault,
    tarnArchive,
    tarnFiles,
    tarnTerminal,
    tarnMonitor,
    tarnUpdater,
    tarnFan,
    tarnPower,
    tarnDns,
    tarnShare,
    tarnServer,
    tarnLogs,
    tarnClock,
    tarnMenu
};

inline constexpr std::size_t kTarnAppIdentityCount = 75;

// The timer application's former name, kept so that old references still find it.
inline constexpr TarnAppIdentity kTarnAppIdentityTimer = TarnAppIdentity::tarnZen;

// Posted when the program is launched again while running and no studio window is open.
inline constexpr std::string_view tarnReopenStudioWindow = "com.harrowfen.reopenStudioWindow";

std::string_view rawValue(TarnAppIdentity identity);
std::size_t catalogIndex(TarnAppIdentity identity);
// All rows in catalog order.
const std::array<TarnAppIdentity, kTarnAppIdentityCount>& allTarnAppIdentities();
// Exact, case-sensitive match of a raw value.
std::optional<TarnAppIdentity> tarnAppIdentityFromRawValue(std::string_view raw);

// Finds the row for a free-form name, bundle identifier or process name: the piece after the
// last ".", lower-cased, letters and digits only, then an alias or a raw value.
std::optional<TarnAppIdentity> resolveTarnAppIdentity(std::string_view name);

// The running program's row from its identifier, its display name, then the process name
// (/proc/self/comm). Read afresh on every call.
std::optional<TarnAppIdentity> currentTarnAppIdentity();
std::optional<TarnAppIdentity> currentTarnAppIdentity(
    const BuildInfo& info, const std::optional<std::string>& processName);

} // namespace tarn
