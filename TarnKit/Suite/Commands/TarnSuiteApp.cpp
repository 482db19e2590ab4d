#include "TarnKit/Suite/Commands/TarnSuiteApp.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

struct Row {
    TarnSuiteApp value;
    std::string_view raw;
    std::string_view symbol;
};

constexpr EnumTable kRows {std::to_array<Row>({
    {TarnSuiteApp::tarnReaper, "TarnReaper", "xmark.octagon.fill"},
    {TarnSuiteApp::tarnMemory, "TarnMemory", "memorychip.fill"},
    {TarnSuiteApp::tarnSensors, "TarnSensors", "waveform.path.ecg"},
    {TarnSuiteApp::tarnBattery, "TarnBattery", "battery.100"},
    {TarnSuiteApp::tarnDisk, "TarnDisk", "internaldrive.fill"},
    {TarnSuiteApp::tarnFocus, "TarnFocus", "scope"},
    {TarnSuiteApp::tarnZen, "TarnZen", "timer"},
    {TarnSuiteApp::tarnDock, "TarnDock", "checklist.checked"},
    {TarnSuiteApp::tarnNotes, "TarnNotes", "note.text"},
    {TarnSuiteApp::tarnClip, "TarnClip", "doc.on.clipboard.fill"},
    {TarnSuiteApp::tarnSnippets, "TarnSnippets", "text.badge.plus"},
    {TarnSuiteApp::tarnPlanner, "TarnPlanner", "calendar.badge.clock"},
    {TarnSuiteApp::tarnJournal, "TarnJournal", "book.closed.fill"},
    {TarnSuiteApp::tarnTasks, "TarnTasks", "checkmark.circle.fill"},
    {TarnSuiteApp::tarnCalendar, "TarnCalendar", "calendar"},
    {TarnSuiteApp::tarnMail, "TarnMail", "envelope.fill"},
    {TarnSuiteApp::tarnReader, "TarnReader", "book.fill"},
    {TarnSuiteApp::tarnScan, "TarnScan", "doc.viewfinder.fill"},
    {TarnSuiteApp::tarnTranslate, "TarnTranslate", "character.bubble.fill"},
    {TarnSuiteApp::tarnDictate, "TarnDictate", "mic.fill"},
    {TarnSuiteApp::tarnLauncher, "TarnLauncher", "magnifyingglass"},
    {TarnSuiteApp::tarnCapture, "TarnCapture", "camera.viewfinder"},
    {TarnSuiteApp::tarnRecorder, "TarnRecorder", "record.circle"},
    {TarnSuiteApp::tarnPhotos, "TarnPhotos", "photo.on.rectangle"},
    {TarnSuiteApp::tarnPaint, "TarnPaint", "paintbrush.fill"},
    {TarnSuiteApp::tarnColor, "TarnColor", "eyedropper.halffull"},
    {TarnSuiteApp::tarnVideo, "TarnVideo", "play.rectangle.fill"},
    {TarnSuiteApp::tarnPodcast, "TarnPodcast", "mic.circle.fill"},
    {TarnSuiteApp::tarnTunes, "TarnTunes", "music.note.list"},
    {TarnSuiteApp::tarnRadio, "TarnRadio", "radio.fill"},
    {TarnSuiteApp::tarnVolume, "TarnVolume", "slider.horizontal.3"},
    {TarnSuiteApp::tarnStream, "TarnStream", "dot.radiowaves.left.and.right"},
    {TarnSuiteApp::tarnCleaner, "TarnCleaner", "sparkles"},
    {TarnSuiteApp::tarnInput, "TarnInput", "computermouse.fill"},
    {TarnSuiteApp::tarnKeys, "TarnKeys", "keyboard.fill"},
    {TarnSuiteApp::tarnWindows, "TarnWindows", "macwindow.on.rectangle"},
    {TarnSuiteApp::tarnNetwork, "TarnNetwork", "network"},
    {TarnSuiteApp::tarnFirewall, "TarnFirewall", "flame.fill"},
    {TarnSuiteApp::tarnSpeed, "TarnSpeed", "speedometer"},
    {TarnSuiteApp::tarnWifi, "TarnWifi", "wifi"},
    {TarnSuiteApp::tarnBluetooth, "TarnBluetooth", "antenna.radiowaves.left.and.right"},
    {TarnSuiteApp::tarnBackup, "TarnBackup", "externaldrive.fill.badge.timemachine"},
    {TarnSuiteApp::tarnVault, "TarnVault", "lock.shield.fill"},
    {TarnSuiteApp::tarnFiles, "TarnFiles", "folder.fill"},
    {TarnSuiteApp::tarnTerminal, "TarnTerminal", "terminal.fill"},
    {TarnSuiteApp::tarnFan, "TarnFan", "fan.fill"},
    {TarnSuiteApp::tarnPower, "TarnPower", "bolt.fill"},
    {TarnSuiteApp::tarnClock, "TarnClock", "clock.fill"},
    {TarnSuiteApp::tarnFonts, "TarnFonts", "textformat"},
})};
static_assert(kRows.rows().size() == kTarnSuiteAppCount);

constexpr std::string_view kBundleIdentifierPrefix = "com.harrowfen.";

} // namespace

std::string_view rawValue(TarnSuiteApp app)
{
    return kRows[app].raw;
}

std::string lowercasedRawValue(TarnSuiteApp app)
{
    return UnicodeText::lowercased(rawValue(app));
}

std::string bundleIdentifier(TarnSuiteApp app)
{
    return std::string(kBundleIdentifierPrefix) + lowercasedRawValue(app);
}

std::string_view symbolName(TarnSuiteApp app)
{
    return kRows[app].symbol;
}

const std::array<TarnSuiteApp, kTarnSuiteAppCount>& allTarnSuiteApps()
{
    static const auto all = [] {
        std::array<TarnSuiteApp, kTarnSuiteAppCount> apps {};
        for (std::size_t index = 0; index < kRows.rows().size(); ++index) {
            apps[index] = kRows.rows()[index].value;
        }
        return apps;
    }();
    return all;
}

std::optional<TarnSuiteApp> tarnSuiteAppFromRawValue(std::string_view raw)
{
    return kRows.fromRaw(raw);
}

} // namespace tarn
