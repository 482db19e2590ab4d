#pragma once

// The catalog of the family's applications that the suite services address: the command bus
// names the sender and target of a command with it, and derives the target's slot file and
// wake-up notice from it. A row's raw value is its product name ("TarnMemory"), the case name
// with the first letter in capitals; rows are never looked up by anything but the exact raw
// value. This catalog is not TarnAppIdentity (the emblem artwork's catalog of every application
// the maker has): the two differ in rows, order and spelling.
//
// Where a row is installed and whether it runs are questions for the desktop (AppEnvironment).

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

enum class TarnSuiteApp {
    tarnReaper,
    tarnMemory,
    tarnSensors,
    tarnBattery,
    tarnDisk,
    tarnFocus,
    tarnZen,
    tarnDock,
    tarnNotes,
    tarnClip,
    tarnSnippets,
    tarnPlanner,
    tarnJournal,
    tarnTasks,
    tarnCalendar,
    tarnMail,
    tarnReader,
    tarnScan,
    tarnTranslate,
    tarnDictate,
    tarnLauncher,
    tarnCapture,
    tarnRecorder,
    tarnPhotos,
    tarnPaint,
    tarnColor,
    tarnVideo,
    tarnPodcast,
    tarnTunes,
    tarnRadio,
    tarnVolume,
    tarnStream,
    tarnCleaner,
    tarnInput,
    tarnKeys,
    tarnWindows,
    tarnNetwork,
    tarnFirewall,
    tarnSpeed,
    tarnWifi,
    tarnBluetooth,
    tarnBackup,
    tarnVault,
    tarnFiles,
    tarnTerminal,
    tarnFan,
    tarnPower,
    tarnClock,
    tarnFonts,
};

inline constexpr std::size_t kTarnSuiteAppCount = 49;

// The product name, "TarnMemory"; also the row's id.
std::string_view rawValue(TarnSuiteApp app);
// The raw value in lower case, "tarnmemory": the row's file and notice names use it.
std::string lowercasedRawValue(TarnSuiteApp app);
// "com.harrowfen." and the lower-cased raw value.
std::string bundleIdentifier(TarnSuiteApp app);
// The symbol the row is shown with, by its symbol-set name ("memorychip.fill").
std::string_view symbolName(TarnSuiteApp app);
// All rows in declaration order.
const std::array<TarnSuiteApp, kTarnSuiteAppCount>& allTarnSuiteApps();
// Exact, case-sensitive match of a raw value.
std::optional<TarnSuiteApp> tarnSuiteAppFromRawValue(std::string_view raw);

} // namespace tarn
