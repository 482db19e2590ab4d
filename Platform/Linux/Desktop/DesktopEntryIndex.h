#pragma once

// The desktop entries of the installed applications, read from the "applications" folders of the
// XDG data folders, and found again by the names a window carries. The first folder that holds an
// id wins, as the desktop-entry rules say; entries marked Hidden count as removed. The index reads
// the folders on first use and again whenever one of them has changed since. Reading is bounded:
// files above 64 KiB, folders nested deeper than four levels and anything beyond 20000 entries
// are left out. Not thread-safe: its owner serialises the calls.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

struct DesktopEntry {
    std::string id; // the desktop-file id without ".desktop": "org.gnome.Nautilus"
    std::string name; // Name in the locale's language where the entry has it
    std::string startupWMClass;
    std::string exec {}; // the Exec value as written, escapes and quoting still in it
    std::string icon {};
    bool operator==(const DesktopEntry&) const = default;
};

class DesktopEntryIndex {
public:
    // `dataFolders` highest priority first; `localeName` as in LC_MESSAGES ("tr_TR.UTF-8").
    DesktopEntryIndex(std::vector<std::filesystem::path> dataFolders, std::string localeName);

    // dataFolders() and messagesLocale() of the environment.
    static DesktopEntryIndex fromEnvironment(const EnvironmentLookup& lookup = processEnvironment);
    // $XDG_DATA_HOME (or ~/.local/share), then $XDG_DATA_DIRS (or /usr/local/share:/usr/share):
    // the user's own entries win over the system's.
    static std::vector<std::filesystem::path> dataFolders(const EnvironmentLookup& lookup = processEnvironment);
    // LC_ALL, LC_MESSAGES or LANG, the first one set.
    static std::string messagesLocale(const EnvironmentLookup& lookup = processEnvironment);

    std::optional<DesktopEntry> entryForID(std::string_view id);
    // The entry whose StartupWMClass is the window's class or instance, else the one whose id is
    // either of them, letter case aside.
    std::optional<DesktopEntry> entryForWindowClass(std::string_view instance, std::string_view className);

    // Name, Name[xx] … from one entry's text, for the locale: "lang_COUNTRY@MODIFIER",
    // "lang_COUNTRY", "lang@MODIFIER", "lang", then the plain Name. Absent when the text is no
    // application entry or a hidden one.
    static std::optional<DesktopEntry> parse(std::string_view text, std::string id, std::string_view localeName);

private:
    void refreshIfChanged();
    void scan();
    void scanFolder(const std::filesystem::path& applications);

    std::vector<std::filesystem::path> m_applicationFolders;
    std::string m_localeName;
    std::vector<std::optional<std::filesystem::file_time_type>> m_scannedTimes;
    bool m_scanned = false;
    // By id; empty for an id that a hidden entry or one of another type holds.
    std::map<std::string, std::optional<DesktopEntry>, std::less<>> m_entries;
};

} // namespace tarn::input
