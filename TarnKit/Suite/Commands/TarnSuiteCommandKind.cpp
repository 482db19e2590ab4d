#include "TarnKit/Suite/Commands/TarnSuiteCommandKind.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn {
namespace {

using Row = EnumRawValue<TarnSuiteCommandKind>;

constexpr EnumTable kRows {std::to_array<Row>({
    {TarnSuiteCommandKind::memorySmartOffload, "memorySmartOffload"},
    {TarnSuiteCommandKind::memoryBalancedOffload, "memoryBalancedOffload"},
    {TarnSuiteCommandKind::memoryThawAll, "memoryThawAll"},
    {TarnSuiteCommandKind::memoryFreezePID, "memoryFreezePID"},
    {TarnSuiteCommandKind::memoryOpenDiskLab, "memoryOpenDiskLab"},
    {TarnSuiteCommandKind::memoryOpenAppFreezer, "memoryOpenAppFreezer"},
    {TarnSuiteCommandKind::memoryToggleHUD, "memoryToggleHUD"},
    {TarnSuiteCommandKind::reaperAllFrozen, "reaperAllFrozen"},
    {TarnSuiteCommandKind::reaperOpenCrosshair, "reaperOpenCrosshair"},
    {TarnSuiteCommandKind::reaperToggleQuickHUD, "reaperToggleQuickHUD"},
    {TarnSuiteCommandKind::reaperProcessTree, "reaperProcessTree"},
    {TarnSuiteCommandKind::reaperInspectPID, "reaperInspectPID"},
    {TarnSuiteCommandKind::reaperOpenAnalytics24h, "reaperOpenAnalytics24h"},
    {TarnSuiteCommandKind::reaperOpenStartup, "reaperOpenStartup"},
    {TarnSuiteCommandKind::reaperOpenPorts, "reaperOpenPorts"},
    {TarnSuiteCommandKind::sensorsToggleHUD, "sensorsToggleHUD"},
    {TarnSuiteCommandKind::sensorsOpenMemoryDisk, "sensorsOpenMemoryDisk"},
    {TarnSuiteCommandKind::sensorsOpenThermalsPower, "sensorsOpenThermalsPower"},
    {TarnSuiteCommandKind::sensorsStartThermalBenchmark, "sensorsStartThermalBenchmark"},
    {TarnSuiteCommandKind::batteryOpenHealth, "batteryOpenHealth"},
    {TarnSuiteCommandKind::batteryToggleHUD, "batteryToggleHUD"},
    {TarnSuiteCommandKind::diskOpenUsageMap, "diskOpenUsageMap"},
    {TarnSuiteCommandKind::diskScanVolumes, "diskScanVolumes"},
    {TarnSuiteCommandKind::cleanerStartQuickClean, "cleanerStartQuickClean"},
    {TarnSuiteCommandKind::fanToggleHUD, "fanToggleHUD"},
    {TarnSuiteCommandKind::powerOpenEnergyReport, "powerOpenEnergyReport"},
    {TarnSuiteCommandKind::networkToggleHUD, "networkToggleHUD"},
    {TarnSuiteCommandKind::firewallOpenConnections, "firewallOpenConnections"},
    {TarnSuiteCommandKind::speedStartTest, "speedStartTest"},
    {TarnSuiteCommandKind::wifiOpenDiagnostics, "wifiOpenDiagnostics"},
    {TarnSuiteCommandKind::bluetoothOpenDevices, "bluetoothOpenDevices"},
    {TarnSuiteCommandKind::keysToggleHUD, "keysToggleHUD"},
    {TarnSuiteCommandKind::windowsTileFrontmost, "windowsTileFrontmost"},
    {TarnSuiteCommandKind::inputToggleKeyHUD, "inputToggleKeyHUD"},
    {TarnSuiteCommandKind::terminalOpenNewWindow, "terminalOpenNewWindow"},
    {TarnSuiteCommandKind::launcherToggleSearch, "launcherToggleSearch"},
    {TarnSuiteCommandKind::tunesTogglePlayPause, "tunesTogglePlayPause"},
    {TarnSuiteCommandKind::tunesNextTrack, "tunesNextTrack"},
    {TarnSuiteCommandKind::tunesPreviousTrack, "tunesPreviousTrack"},
    {TarnSuiteCommandKind::tunesSetVolume, "tunesSetVolume"},
    {TarnSuiteCommandKind::streamToggleMiniPlayer, "streamToggleMiniPlayer"},
    {TarnSuiteCommandKind::volumeToggleAppMute, "volumeToggleAppMute"},
    {TarnSuiteCommandKind::volumeMuteAllActive, "volumeMuteAllActive"},
    {TarnSuiteCommandKind::volumeUnmuteAll, "volumeUnmuteAll"},
    {TarnSuiteCommandKind::focusStartSession, "focusStartSession"},
    {TarnSuiteCommandKind::focusStopSession, "focusStopSession"},
    {TarnSuiteCommandKind::focusTogglePause, "focusTogglePause"},
    {TarnSuiteCommandKind::focusOpenStats, "focusOpenStats"},
    {TarnSuiteCommandKind::focusToggleHUD, "focusToggleHUD"},
    {TarnSuiteCommandKind::notesNewNote, "notesNewNote"},
    {TarnSuiteCommandKind::notesOpenQuickNote, "notesOpenQuickNote"},
    {TarnSuiteCommandKind::notesSearch, "notesSearch"},
    {TarnSuiteCommandKind::notesOpenToday, "notesOpenToday"},
    {TarnSuiteCommandKind::clipOpenHistory, "clipOpenHistory"},
    {TarnSuiteCommandKind::clipPasteLast, "clipPasteLast"},
    {TarnSuiteCommandKind::clipClearHistory, "clipClearHistory"},
    {TarnSuiteCommandKind::clipTogglePause, "clipTogglePause"},
    {TarnSuiteCommandKind::clipPinLast, "clipPinLast"},
    {TarnSuiteCommandKind::snippetsOpenLibrary, "snippetsOpenLibrary"},
    {TarnSuiteCommandKind::snippetsExpand, "snippetsExpand"},
    {TarnSuiteCommandKind::snippetsNewSnippet, "snippetsNewSnippet"},
    {TarnSuiteCommandKind::snippetsTogglePause, "snippetsTogglePause"},
    {TarnSuiteCommandKind::plannerOpenWeek, "plannerOpenWeek"},
    {TarnSuiteCommandKind::plannerAddEvent, "plannerAddEvent"},
    {TarnSuiteCommandKind::plannerOpenToday, "plannerOpenToday"},
    {TarnSuiteCommandKind::plannerSyncCalendars, "plannerSyncCalendars"},
    {TarnSuiteCommandKind::tasksQuickAdd, "tasksQuickAdd"},
    {TarnSuiteCommandKind::tasksOpenInbox, "tasksOpenInbox"},
    {TarnSuiteCommandKind::tasksCompleteTask, "tasksCompleteTask"},
    {TarnSuiteCommandKind::tasksOpenToday, "tasksOpenToday"},
    {TarnSuiteCommandKind::tasksSyncNow, "tasksSyncNow"},
    {TarnSuiteCommandKind::calendarOpenToday, "calendarOpenToday"},
    {TarnSuiteCommandKind::calendarNewEvent, "calendarNewEvent"},
    {TarnSuiteCommandKind::calendarJoinNextMeeting, "calendarJoinNextMeeting"},
    {TarnSuiteCommandKind::calendarRefresh, "calendarRefresh"},
    {TarnSuiteCommandKind::scanStartScan, "scanStartScan"},
    {TarnSuiteCommandKind::scanOpenLastDocument, "scanOpenLastDocument"},
    {TarnSuiteCommandKind::scanRecognizeText, "scanRecognizeText"},
    {TarnSuiteCommandKind::scanExportPDF, "scanExportPDF"},
    {TarnSuiteCommandKind::translateSelection, "translateSelection"},
    {TarnSuiteCommandKind::translateClipboard, "translateClipboard"},
    {TarnSuiteCommandKind::translateOpenWindow, "translateOpenWindow"},
    {TarnSuiteCommandKind::translateSwapLanguages, "translateSwapLanguages"},
    {TarnSuiteCommandKind::translateSpeakResult, "translateSpeakResult"},
    {TarnSuiteCommandKind::dictateStartDictation, "dictateStartDictation"},
    {TarnSuiteCommandKind::dictateStopDictation, "dictateStopDictation"},
    {TarnSuiteCommandKind::dictateToggleHUD, "dictateToggleHUD"},
    {TarnSuiteCommandKind::dictateOpenTranscripts, "dictateOpenTranscripts"},
    {TarnSuiteCommandKind::captureArea, "captureArea"},
    {TarnSuiteCommandKind::captureWindow, "captureWindow"},
    {TarnSuiteCommandKind::captureFullScreen, "captureFullScreen"},
    {TarnSuiteCommandKind::captureOpenLibrary, "captureOpenLibrary"},
    {TarnSuiteCommandKind::captureRecognizeText, "captureRecognizeText"},
    {TarnSuiteCommandKind::recorderStartRecording, "recorderStartRecording"},
    {TarnSuiteCommandKind::recorderStopRecording, "recorderStopRecording"},
    {TarnSuiteCommandKind::recorderTogglePause, "recorderTogglePause"},
    {TarnSuiteCommandKind::recorderOpenLibrary, "recorderOpenLibrary"},
    {TarnSuiteCommandKind::recorderToggleHUD, "recorderToggleHUD"},
    {TarnSuiteCommandKind::photosOpenLibrary, "photosOpenLibrary"},
    {TarnSuiteCommandKind::photosImportFolder, "photosImportFolder"},
    {TarnSuiteCommandKind::photosStartSlideshow, "photosStartSlideshow"},
    {TarnSuiteCommandKind::photosOpenLastImport, "photosOpenLastImport"},
    {TarnSuiteCommandKind::videoTogglePlayPause, "videoTogglePlayPause"},
    {TarnSuiteCommandKind::videoOpenFile, "videoOpenFile"},
    {TarnSuiteCommandKind::videoToggleFullScreen, "videoToggleFullScreen"},
    {TarnSuiteCommandKind::videoTakeSnapshot, "videoTakeSnapshot"},
    {TarnSuiteCommandKind::videoOpenRecent, "videoOpenRecent"},
    {TarnSuiteCommandKind::backupStartNow, "backupStartNow"},
    {TarnSuiteCommandKind::backupPauseBackup, "backupPauseBackup"},
    {TarnSuiteCommandKind::backupOpenHistory, "backupOpenHistory"},
    {TarnSuiteCommandKind::backupVerifyLatest, "backupVerifyLatest"},
    {TarnSuiteCommandKind::backupOpenSettings, "backupOpenSettings"},
    {TarnSuiteCommandKind::vaultLockNow, "vaultLockNow"},
    {TarnSuiteCommandKind::vaultOpenVault, "vaultOpenVault"},
    {TarnSuiteCommandKind::vaultGeneratePassword, "vaultGeneratePassword"},
    {TarnSuiteCommandKind::vaultOpenAudit, "vaultOpenAudit"},
    {TarnSuiteCommandKind::clockStartTimer, "clockStartTimer"},
    {TarnSuiteCommandKind::clockStopTimer, "clockStopTimer"},
    {TarnSuiteCommandKind::clockOpenWorldClock, "clockOpenWorldClock"},
    {TarnSuiteCommandKind::clockToggleStopwatch, "clockToggleStopwatch"},
    {TarnSuiteCommandKind::clockAddAlarm, "clockAddAlarm"},
    {TarnSuiteCommandKind::zenStartTaskSession, "zenStartTaskSession"},
    {TarnSuiteCommandKind::zenOpenMiniHUD, "zenOpenMiniHUD"},
    {TarnSuiteCommandKind::zenTogglePause, "zenTogglePause"},
    {TarnSuiteCommandKind::zenStopSession, "zenStopSession"},
    {TarnSuiteCommandKind::zenAddFiveMinutes, "zenAddFiveMinutes"},
    {TarnSuiteCommandKind::zenCompleteSession, "zenCompleteSession"},
    {TarnSuiteCommandKind::zenToggleHUD, "zenToggleHUD"},
    {TarnSuiteCommandKind::zenToggleShield, "zenToggleShield"},
    {TarnSuiteCommandKind::zenToggleAmbient, "zenToggleAmbient"},
    {TarnSuiteCommandKind::zenUndockFromDock, "zenUndockFromDock"},
    {TarnSuiteCommandKind::zenSyncProjectRules, "zenSyncProjectRules"},
    {TarnSuiteCommandKind::dockOpenQuickCapture, "dockOpenQuickCapture"},
    {TarnSuiteCommandKind::dockOpenMiniCompanion, "dockOpenMiniCompanion"},
    {TarnSuiteCommandKind::dockDockZenHUD, "dockDockZenHUD"},
    {TarnSuiteCommandKind::dockSelectTask, "dockSelectTask"},
    {TarnSuiteCommandKind::dockCompleteTask, "dockCompleteTask"},
    {TarnSuiteCommandKind::dockRefreshFromZen, "dockRefreshFromZen"},
    {TarnSuiteCommandKind::dockOpenToday, "dockOpenToday"},
})};
static_assert(kRows.rows().size() == kTarnSuiteCommandKindCount);

} // namespace

std::string_view rawValue(TarnSuiteCommandKind kind)
{
    return kRows[kind].raw;
}

const std::array<TarnSuiteCommandKind, kTarnSuiteCommandKindCount>& allTarnSuiteCommandKinds()
{
    static const auto all = [] {
        std::array<TarnSuiteCommandKind, kTarnSuiteCommandKindCount> kinds {};
        for (std::size_t index = 0; index < kRows.rows().size(); ++index) {
            kinds[index] = kRows.rows()[index].value;
        }
        return kinds;
    }();
    return all;
}

std::optional<TarnSuiteCommandKind> tarnSuiteCommandKindFromRawValue(std::string_view raw)
{
    return kRows.fromRaw(raw);
}

} // namespace tarn
