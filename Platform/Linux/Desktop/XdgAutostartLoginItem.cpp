#include "Platform/Linux/Desktop/XdgAutostartLoginItem.h"

#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"
#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"

namespace tarn {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::uintmax_t kLargestEntry = 1024 * 1024;
// The desktop's session manager reads the entry; it holds nothing private.
constexpr auto kEntryMode = AtomicFileWriter::NewFileMode::everyoneReads;

using DesktopEntrySyntax::trimmed;

// A desktop entry kept line by line, so that an edit changes only the lines it must.
class DesktopEntry {
public:
    explicit DesktopEntry(const std::string& text)
    {
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            m_lines.push_back(line);
        }
    }

    bool hasGroup() const { return groupStart().has_value(); }

    std::optional<std::string> value(std::string_view key) const
    {
        if (const auto line = find(key)) {
            const std::string_view text = m_lines[*line];
            return std::string(trimmed(text.substr(text.find('=') + 1)));
        }
        return std::nullopt;
    }

    // Replaces the key's value, or adds the key at the end of the group.
    void set(std::string_view key, std::string_view value)
    {
        std::string line = std::string(key) + "=" + std::string(value);
        if (const auto existing = find(key)) {
            m_lines[*existing] = std::move(line);
            return;
        }
        std::size_t insertAt = *groupStart() + 1;
        for (std::size_t index = insertAt; index < m_lines.size() && !isGroupHeader(m_lines[index]); ++index) {
            if (!trimmed(m_lines[index]).empty()) {
                insertAt = index + 1;
            }
        }
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
    }

    std::string text() const
    {
        std::string result;
        for (const auto& line : m_lines) {
            result += line;
            result += '\n';
        }
        return result;
    }

private:
    static bool isGroupHeader(std::string_view line) { return trimmed(line).starts_with('['); }

    std::optional<std::size_t> groupStart() const
    {
        for (std::size_t index = 0; index < m_lines.size(); ++index) {
            if (trimmed(m_lines[index]) == kGroup) {
                return index;
            }
        }
        return std::nullopt;
    }

    // The key itself, not a localised variant ("Name[tr]"); spaces around "=" are allowed.
    std::optional<std::size_t> find(std::string_view key) const
    {
        const auto start = groupStart();
        if (!start) {
            return std::nullopt;
        }
        for (std::size_t index = *start + 1; index < m_lines.size() && !isGroupHeader(m_lines[index]); ++index) {
            const std::string_view line = m_lines[index];
            const auto equals = line.find('=');
            if (equals != std::string_view::npos && !trimmed(line).starts_with('#')
                && trimmed(line.substr(0, equals)) == key) {
                return index;
            }
        }
        return std::nullopt;
    }

    std::vector<std::string> m_lines;
};

// The entry's own name, which must stay a file inside the autostart folder.
bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

std::optional<std::string> readEntry(const std::filesystem::path& path)
{
    auto text = WholeFile::read(path, kLargestEntry);
    if (!text) {
        return std::nullopt;
    }
    return std::move(text).value();
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(
    const XdgPaths& paths, std::filesystem::path executable, std::string fileName, std::string displayName)
    : m_executable(std::move(executable))
    , m_displayName(std::move(displayName))
{
    const auto build = BuildInfo::current();
    if (fileName.empty()) {
        fileName = build.identifier.value_or("tarninput") + ".desktop";
    }
    if (m_displayName.empty()) {
        m_displayName = build.displayName.value_or("TarnInput");
    }
    if (isPlainFileName(fileName)) {
        m_entryPath = paths.configHome / "autostart" / fileName;
    }
}

std::filesystem::path XdgAutostartLoginItem::currentExecutable()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

bool XdgAutostartLoginItem::isRegistered() const
{
    if (m_entryPath.empty()) {
        return false;
    }
    const auto text = readEntry(m_entryPath);
    if (!text) {
        return false;
    }
    const DesktopEntry entry(*text);
    return entry.hasGroup() && !entry.value("Exec").value_or("").empty() && entry.value("Hidden") != "true"
        && entry.value("X-GNOME-Autostart-enabled") != "false";
}

bool XdgAutostartLoginItem::setRegistered(bool registered)
{
    if (m_entryPath.empty()) {
        return false;
    }
    // A symbolic link (a dotfiles folder, say) stays a link: its target is read and rewritten.
    const auto storage = AtomicFileWriter::storagePath(m_entryPath);
    if (!storage) {
        return false;
    }
    const auto& target = storage.value();
    const auto text = readEntry(target);
    std::optional<DesktopEntry> entry;
    if (text) {
        entry.emplace(*text);
    }
    const bool usable = entry && entry->hasGroup();

    if (!registered) {
        if (!isRegistered()) {
            return true; // nothing starts at login already; a stray file is left alone
        }
        entry->set("Hidden", "true");
        return AtomicFileWriter::write(target, entry->text(), kEntryMode).hasValue();
    }

    if (!usable) {
        // No entry, or a file that is none: a fresh one. Nothing of the user's is lost, as a file
        // without the group was never an entry any desktop could start.
        entry.emplace(std::string(kGroup) + "\n");
    }
    if (entry->value("Type").value_or("").empty()) {
        entry->set("Type", "Application");
    }
    if (entry->value("Name").value_or("").empty()) {
        entry->set("Name", DesktopEntrySyntax::escaped(m_displayName));
    }
    if (entry->value("Exec").value_or("").empty()) {
        entry->set("Exec", DesktopEntrySyntax::execValue(m_executable.string()));
    }
    if (entry->value("Hidden")) {
        entry->set("Hidden", "false");
    }
    if (entry->value("X-GNOME-Autostart-enabled")) {
        entry->set("X-GNOME-Autostart-enabled", "true");
    }
    return AtomicFileWriter::write(target, entry->text(), kEntryMode).hasValue();
}

} // namespace tarn
