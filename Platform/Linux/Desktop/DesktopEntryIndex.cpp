#include "Platform/Linux/Desktop/DesktopEntryIndex.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"
#include "TarnInputCore/Model/Profiles/ApplicationId.h"

namespace tarn::input {

namespace {

using DesktopEntrySyntax::trimmed;
using DesktopEntrySyntax::unescaped;

constexpr std::uintmax_t kMaximumFileSize = 64 * 1024;
constexpr int kMaximumDepth = 4;
constexpr std::size_t kMaximumEntries = 20000;
constexpr std::string_view kSuffix = ".desktop";

// The Name[...] keys to try for a locale, most specific first, then the plain key.
std::vector<std::string> nameKeysFor(std::string_view localeName)
{
    std::string_view locale = localeName;
    std::string_view modifier;
    if (const auto at = locale.find('@'); at != std::string_view::npos) {
        modifier = locale.substr(at);
        locale = locale.substr(0, at);
    }
    if (const auto dot = locale.find('.'); dot != std::string_view::npos) {
        locale = locale.substr(0, dot);
    }
    std::string_view language = locale;
    std::string_view country;
    if (const auto underscore = locale.find('_'); underscore != std::string_view::npos) {
        language = locale.substr(0, underscore);
        country = locale.substr(underscore);
    }
    std::vector<std::string> keys;
    const auto add = [&](std::string_view tag) { keys.push_back("Name[" + std::string(tag) + "]"); };
    if (!language.empty() && language != "C" && language != "POSIX") {
        if (!country.empty() && !modifier.empty()) {
            add(std::string(language) + std::string(country) + std::string(modifier));
        }
        if (!country.empty()) {
            add(std::string(language) + std::string(country));
        }
        if (!modifier.empty()) {
            add(std::string(language) + std::string(modifier));
        }
        add(language);
    }
    keys.emplace_back("Name");
    return keys;
}

std::optional<std::string> firstSet(std::initializer_list<const char*> names, const EnvironmentLookup& lookup)
{
    for (const char* name : names) {
        if (auto value = lookup(name); value && !value->empty()) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::file_time_type> modificationTime(const std::filesystem::path& folder)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(folder, error);
    if (error) {
        return std::nullopt;
    }
    return time;
}

bool equalsIgnoringCase(std::string_view text, std::string_view other)
{
    return !other.empty() && ApplicationId(other).isNamedBy(text);
}

} // namespace

DesktopEntryIndex::DesktopEntryIndex(std::vector<std::filesystem::path> dataFolders, std::string localeName)
    : m_localeName(std::move(localeName))
{
    for (auto& folder : dataFolders) {
        m_applicationFolders.push_back(std::move(folder) / "applications");
    }
}

DesktopEntryIndex DesktopEntryIndex::fromEnvironment(const EnvironmentLookup& lookup)
{
    return DesktopEntryIndex(dataFolders(lookup), messagesLocale(lookup));
}

std::vector<std::filesystem::path> DesktopEntryIndex::dataFolders(const EnvironmentLookup& lookup)
{
    std::vector<std::filesystem::path> folders;
    const auto addIfAbsolute = [&](const std::filesystem::path& folder) {
        if (folder.is_absolute()) {
            folders.push_back(folder);
        }
    };
    if (const auto dataHome = firstSet({"XDG_DATA_HOME"}, lookup)) {
        addIfAbsolute(*dataHome);
    } else if (const auto home = firstSet({"HOME"}, lookup)) {
        addIfAbsolute(std::filesystem::path(*home) / ".local/share");
    }
    const std::string dataDirs = firstSet({"XDG_DATA_DIRS"}, lookup).value_or("/usr/local/share:/usr/share");
    std::string_view rest = dataDirs;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        addIfAbsolute(std::filesystem::path(rest.substr(0, colon)));
        rest = colon == std::string_view::npos ? std::string_view {} : rest.substr(colon + 1);
    }
    return folders;
}

std::string DesktopEntryIndex::messagesLocale(const EnvironmentLookup& lookup)
{
    return firstSet({"LC_ALL", "LC_MESSAGES", "LANG"}, lookup).value_or("");
}

std::optional<DesktopEntry> DesktopEntryIndex::parse(std::string_view text, std::string id, std::string_view localeName)
{
    const auto nameKeys = nameKeysFor(localeName);
    std::size_t bestName = nameKeys.size();
    DesktopEntry entry {std::move(id), {}, {}, {}, {}};
    bool inMainGroup = false;
    bool isApplication = false;
    bool isHidden = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "Type") {
            isApplication = value == "Application";
        } else if (key == "Hidden") {
            isHidden = value == "true";
        } else if (key == "StartupWMClass") {
            entry.startupWMClass = unescaped(value);
        } else if (key == "Exec") {
            entry.exec = value;
        } else if (key == "Icon") {
            entry.icon = unescaped(value);
        } else {
            for (std::size_t rank = 0; rank < bestName; ++rank) {
                if (key == nameKeys[rank]) {
                    entry.name = unescaped(value);
                    bestName = rank;
                    break;
                }
            }
        }
    }
    if (!isApplication || isHidden) {
        return std::nullopt;
    }
    return entry;
}

std::optional<DesktopEntry> DesktopEntryIndex::entryForID(std::string_view id)
{
    refreshIfChanged();
    const auto found = m_entries.find(id);
    if (found == m_entries.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<DesktopEntry> DesktopEntryIndex::entryForWindowClass(
    std::string_view instance, std::string_view className)
{
    refreshIfChanged();
    for (const auto& [id, entry] : m_entries) {
        if (entry
            && (equalsIgnoringCase(entry->startupWMClass, className)
                || equalsIgnoringCase(entry->startupWMClass, instance))) {
            return entry;
        }
    }
    for (const auto& [id, entry] : m_entries) {
        if (entry && (equalsIgnoringCase(id, className) || equalsIgnoringCase(id, instance))) {
            return entry;
        }
    }
    return std::nullopt;
}

void DesktopEntryIndex::refreshIfChanged()
{
    std::vector<std::optional<std::filesystem::file_time_type>> times;
    for (const auto& folder : m_applicationFolders) {
        times.push_back(modificationTime(folder));
    }
    if (!m_scanned || times != m_scannedTimes) {
        m_scannedTimes = std::move(times);
        scan();
    }
}

void DesktopEntryIndex::scan()
{
    m_scanned = true;
    m_entries.clear();
    for (const auto& folder : m_applicationFolders) {
        scanFolder(folder);
    }
}

void DesktopEntryIndex::scanFolder(const std::filesystem::path& applications)
{
    std::error_code error;
    std::filesystem::recursive_directory_iterator files(
        applications, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && files != std::filesystem::recursive_directory_iterator(); files.increment(error)) {
        if (m_entries.size() >= kMaximumEntries) {
            return;
        }
        if (files.depth() >= kMaximumDepth) {
            files.disable_recursion_pending();
        }
        const auto& path = files->path();
        std::error_code fileError;
        if (path.extension() != kSuffix || !files->is_regular_file(fileError)
            || files->file_size(fileError) > kMaximumFileSize || fileError) {
            continue;
        }
        // The id is the path below "applications" with "/" turned into "-".
        std::string id = path.lexically_relative(applications).replace_extension().generic_string();
        std::replace(id.begin(), id.end(), '/', '-');
        if (m_entries.contains(id)) {
            continue; // a folder of higher priority has it
        }
        std::ifstream stream(path, std::ios::binary);
        std::string text(kMaximumFileSize, '\0');
        stream.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(stream.gcount()));
        // A hidden entry still takes its id, so that a lower-priority one does not come back.
        auto entry = parse(text, id, m_localeName);
        m_entries.emplace(std::move(id), std::move(entry));
    }
}

} // namespace tarn::input
