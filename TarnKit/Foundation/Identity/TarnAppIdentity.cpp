#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

#include <fstream>

#include "TarnKit/Foundation/Basics/EnumTable.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

using Row = EnumRawValue<TarnAppIdentity>;

constexpr EnumTable kRows {std::to_array<Row>({
    {TarnAppIdentity::tarnNotes, "tarnnotes"},
    {TarnAppIdentity::tarnWriter, "tarnwriter"},
    {TarnAppIdentity::tarnSheets, "tarnsheets"},
    {TarnAppIdentity::tarnSlides, "tarnslides"},
    {TarnAppIdentity::tarnMail, "tarnmail"},
    {TarnAppIdentity::tarnCalendar, "tarncalendar"},
    {TarnAppIdentity::tarnTasks, "tarntasks"},
    {TarnAppIdentity::tarnContacts, "tarncontacts"},
    {TarnAppIdentity::tarnReader, "tarnreader"},
    {TarnAppIdentity::tarnClip, "tarnclip"},
    {TarnAppIdentity::tarnSnippets, "tarnsnippets"},
    {TarnAppIdentity::tarnPlanner, "tarnplanner"},
    {TarnAppIdentity::tarnJournal, "tarnjournal"},
    {TarnAppIdentity::tarnBoard, "tarnboard"},
    {TarnAppIdentity::tarnMind, "tarnmind"},
    {TarnAppIdentity::tarnDocs, "tarndocs"},
    {TarnAppIdentity::tarnZen, "tarnzen"},
    {TarnAppIdentity::tarnDock, "tarndock"},
    {TarnAppIdentity::tarnFocus, "tarnfocus"},
    {TarnAppIdentity::tarnHabit, "tarnhabit"},
    {TarnAppIdentity::tarnTimesheet, "tarntimesheet"},
    {TarnAppIdentity::tarnForms, "tarnforms"},
    {TarnAppIdentity::tarnScan, "tarnscan"},
    {TarnAppIdentity::tarnSign, "tarnsign"},
    {TarnAppIdentity::tarnTranslate, "tarntranslate"},
    {TarnAppIdentity::tarnDictate, "tarndictate"},
    {TarnAppIdentity::tarnLauncher, "tarnlauncher"},
    {TarnAppIdentity::tarnPhotos, "tarnphotos"},
    {TarnAppIdentity::tarnCapture, "tarncapture"},
    {TarnAppIdentity::tarnRecorder, "tarnrecorder"},
    {TarnAppIdentity::tarnDisplay, "tarndisplay"},
    {TarnAppIdentity::tarnPaint, "tarnpaint"},
    {TarnAppIdentity::tarnVector, "tarnvector"},
    {TarnAppIdentity::tarnVideo, "tarnvideo"},
    {TarnAppIdentity::tarnPodcast, "tarnpodcast"},
    {TarnAppIdentity::tarnRadio, "tarnradio"},
    {TarnAppIdentity::tarnVolume, "tarnvolume"},
    {TarnAppIdentity::tarnTunes, "tarntunes"},
    {TarnAppIdentity::tarnStream, "tarnstream"},
    {TarnAppIdentity::tarnCast, "tarncast"},
    {TarnAppIdentity::tarnGif, "tarngif"},
    {TarnAppIdentity::tarnColor, "tarncolor"},
    {TarnAppIdentity::tarnFonts, "tarnfonts"},
    {TarnAppIdentity::tarnCleaner, "tarncleaner"},
    {TarnAppIdentity::tarnMemory, "tarnmemory"},
    {TarnAppIdentity::tarnSensors, "tarnsensors"},
    {TarnAppIdentity::tarnReaper, "tarnreaper"},
    {TarnAppIdentity::tarnBattery, "tarnbattery"},
    {TarnAppIdentity::tarnDisk, "tarndisk"},
    {TarnAppIdentity::tarnInput, "tarninput"},
    {TarnAppIdentity::tarnKeys, "tarnkeys"},
    {TarnAppIdentity::tarnWindows, "tarnwindows"},
    {TarnAppIdentity::tarnNetwork, "tarnnetwork"},
    {TarnAppIdentity::tarnFirewall, "tarnfirewall"},
    {TarnAppIdentity::tarnTunnel, "tarntunnel"},
    {TarnAppIdentity::tarnSpeed, "tarnspeed"},
    {TarnAppIdentity::tarnPing, "tarnping"},
    {TarnAppIdentity::tarnWifi, "tarnwifi"},
    {TarnAppIdentity::tarnBluetooth, "tarnbluetooth"},
    {TarnAppIdentity::tarnBackup, "tarnbackup"},
    {TarnAppIdentity::tarnSync, "tarnsync"},
    {TarnAppIdentity::tarnVault, "tarnvault"},
    {TarnAppIdentity::tarnArchive, "tarnarchive"},
    {TarnAppIdentity::tarnFiles, "tarnfiles"},
    {TarnAppIdentity::tarnTerminal, "tarnterminal"},
    {TarnAppIdentity::tarnMonitor, "tarnmonitor"},
    {TarnAppIdentity::tarnUpdater, "tarnupdater"},
    {TarnAppIdentity::tarnFan, "tarnfan"},
    {TarnAppIdentity::tarnPower, "tarnpower"},
    {TarnAppIdentity::tarnDns, "tarndns"},
    {TarnAppIdentity::tarnShare, "tarnshare"},
    {TarnAppIdentity::tarnServer, "tarnserver"},
    {TarnAppIdentity::tarnLogs, "tarnlogs"},
    {TarnAppIdentity::tarnClock, "tarnclock"},
    {TarnAppIdentity::tarnMenu, "tarnmenu"},
})};
static_assert(kRows.rows().size() == kTarnAppIdentityCount);

// Spellings people and older builds use for four of the rows.
constexpr std::array<Row, 5> kAliases {{
    {TarnAppIdentity::tarnInput, "tarnmouse"},
    {TarnAppIdentity::tarnMemory, "tarnram"},
    {TarnAppIdentity::tarnZen, "tarntimer"},
    {TarnAppIdentity::tarnZen, "tarnpomodoro"},
    {TarnAppIdentity::tarnReaper, "tarnkill"},
}};

std::string_view lastNonEmptyPiece(std::string_view name)
{
    std::string_view last;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t dot = name.find('.', start);
        const std::size_t end = dot == std::string_view::npos ? name.size() : dot;
        if (end > start) {
            last = name.substr(start, end - start);
        }
        if (dot == std::string_view::npos) {
            break;
        }
        start = dot + 1;
    }
    return last.empty() ? name : last;
}

std::optional<std::string> readProcessName()
{
    std::ifstream comm("/proc/self/comm");
    std::string name;
    if (!std::getline(comm, name)) {
        return std::nullopt;
    }
    return name;
}

} // namespace

std::string_view rawValue(TarnAppIdentity identity)
{
    return kRows[identity].raw;
}

std::size_t catalogIndex(TarnAppIdentity identity)
{
    return static_cast<std::size_t>(identity);
}

const std::array<TarnAppIdentity, kTarnAppIdentityCount>& allTarnAppIdentities()
{
    static const auto all = [] {
        std::array<TarnAppIdentity, kTarnAppIdentityCount> identities {};
        for (std::size_t index = 0; index < kRows.rows().size(); ++index) {
            identities[index] = kRows.rows()[index].value;
        }
        return identities;
    }();
    return all;
}

std::optional<TarnAppIdentity> tarnAppIdentityFromRawValue(std::string_view raw)
{
    return kRows.fromRaw(raw);
}

std::optional<TarnAppIdentity> resolveTarnAppIdentity(std::string_view name)
{
    std::u32string kept;
    for (const char32_t scalar : UnicodeText::toScalars(UnicodeText::lowercased(lastNonEmptyPiece(name)))) {
        if (UnicodeText::isAlphanumeric(scalar)) {
            kept.push_back(scalar);
        }
    }
    const std::string key = UnicodeText::fromScalars(kept);
    for (const auto& alias : kAliases) {
        if (alias.raw == key) {
            return alias.value;
        }
    }
    return tarnAppIdentityFromRawValue(key);
}

std::optional<TarnAppIdentity> currentTarnAppIdentity()
{
    return currentTarnAppIdentity(BuildInfo::current(), readProcessName());
}

std::optional<TarnAppIdentity> currentTarnAppIdentity(
    const BuildInfo& info, const std::optional<std::string>& processName)
{
    for (const auto* source : {&info.identifier, &info.displayName}) {
        if (*source) {
            if (auto identity = resolveTarnAppIdentity(**source)) {
                return identity;
            }
        }
    }
    if (!processName) {
        return std::nullopt;
    }
    return resolveTarnAppIdentity(*processName);
}

} // namespace tarn
