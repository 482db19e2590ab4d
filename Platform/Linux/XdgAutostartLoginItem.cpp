#include "Platform/Linux/XdgAutostartLoginItem.h"

#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/AtomicFileWriter.h"
#include "TarnKit/Foundation/BuildInfo.h"
#include "TarnKit/Foundation/WholeFile.h"

namespace tarn {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::uintmax_t kLargestEntry = 1024 * 1024;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

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

// The Exec value for one program path: quoted when it holds a reserved character, with the
// quoting's own escapes, then the string escapes of every desktop entry value.
std::string execValue(const std::string& program)
{
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string argument = program;
    if (argument.find_first_of(kReserved) != std::string::npos) {
        argument = "\"";
        for (const char character : program) {
            if (character == '"' || character == '`' || character == '$' || character == '\\') {
                argument += '\\';
            }
            argument += character;
        }
        argument += '"';
    }
    std::string value;
    for (const char character : argument) {
        switch (character) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '%':
            value += "%%"; // field codes start with %
            break;
        default:
            value += character;
        }
    }
    return value;
}

// The file the entry really lives in: the target of a symbolic link, else the entry itself.
std::filesystem::path storagePath(const std::filesystem::path& entry)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(entry, error)) {
        return entry;
    }
    auto target = std::filesystem::read_symlink(entry, error);
    if (error) {
        return entry;
    }
    return target.is_absolute() ? target : entry.parent_path() / target;
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
    m_entryPath = paths.configHome / "autostart" / fileName;
}

std::filesystem::path XdgAutostartLoginItem::currentExecutable()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

bool XdgAutostartLoginItem::isRegistered() const
{
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
    const auto target = storagePath(m_entryPath);
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
        return AtomicFileWriter::write(target, entry->text()).hasValue();
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
        entry->set("Name", m_displayName);
    }
    if (entry->value("Exec").value_or("").empty()) {
        entry->set("Exec", execValue(m_executable.string()));
    }
    if (entry->value("Hidden")) {
        entry->set("Hidden", "false");
    }
    if (entry->value("X-GNOME-Autostart-enabled")) {
        entry->set("X-GNOME-Autostart-enabled", "true");
    }
    return AtomicFileWriter::write(target, entry->text()).hasValue();
}

} // namespace tarn
