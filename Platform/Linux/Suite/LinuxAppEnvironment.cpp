#include "Platform/Linux/Suite/LinuxAppEnvironment.h"

#include "Platform/Linux/Desktop/DesktopEntryIndex.h"
#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"
#include "Platform/Linux/Desktop/DetachedProcess.h"
#include "TarnKit/Foundation/Files/WholeFile.h"

namespace tarn {
namespace {

constexpr std::uintmax_t kMaxEntrySize = 64 * 1024;
constexpr std::string_view kSuffix = ".desktop";

// The entry at `path` when it is a usable application entry.
std::optional<input::DesktopEntry> readEntry(const std::filesystem::path& path, const std::string& localeName)
{
    const auto text = WholeFile::read(path, kMaxEntrySize);
    if (!text) {
        return std::nullopt;
    }
    return input::DesktopEntryIndex::parse(*text, path.stem().string(), localeName);
}

} // namespace

LinuxAppEnvironment::LinuxAppEnvironment(Parts parts)
    : m_parts(std::move(parts))
{
    if (!m_parts.start) {
        m_parts.start = [](const std::vector<std::string>& arguments) { return DetachedProcess::start(arguments); };
    }
}

std::unique_ptr<LinuxAppEnvironment> LinuxAppEnvironment::fromEnvironment(const EnvironmentLookup& lookup)
{
    return std::make_unique<LinuxAppEnvironment>(
        Parts {input::DesktopEntryIndex::dataFolders(lookup), input::DesktopEntryIndex::messagesLocale(lookup),
            ProcessNameLookup(), std::make_unique<SessionBusNames>(), X11WindowActivator::connect(lookup), {}});
}

std::optional<std::filesystem::path> LinuxAppEnvironment::installedLocation(TarnSuiteApp app) const
{
    const std::string fileName = bundleIdentifier(app) + std::string(kSuffix);
    for (const auto& folder : m_parts.dataFolders) {
        const auto path = folder / "applications" / fileName;
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
            continue;
        }
        // The first entry found decides, even when it hides the application.
        if (!readEntry(path, m_parts.localeName)) {
            return std::nullopt;
        }
        return path;
    }
    return std::nullopt;
}

bool LinuxAppEnvironment::isRunning(TarnSuiteApp app) const
{
    return (m_parts.busNames && m_parts.busNames->hasOwner(bundleIdentifier(app)))
        || m_parts.processes.find(rawValue(app)).has_value();
}

bool LinuxAppEnvironment::activateRunning(TarnSuiteApp app)
{
    const std::string name = bundleIdentifier(app);
    std::optional<std::int32_t> process;
    bool running = false;
    if (m_parts.busNames && m_parts.busNames->hasOwner(name)) {
        running = true;
        process = m_parts.busNames->ownerProcess(name);
    }
    if (!process) {
        process = m_parts.processes.find(rawValue(app));
        running = running || process.has_value();
    }
    if (!running) {
        return false;
    }
    if (m_parts.windows) {
        m_parts.windows->activate(process, {std::string(rawValue(app)), name});
    }
    return true;
}

bool LinuxAppEnvironment::open(const std::filesystem::path& location, bool)
{
    const auto entry = readEntry(location, m_parts.localeName);
    if (!entry) {
        return false;
    }
    const auto arguments
        = DesktopEntrySyntax::execArguments(entry->exec, {entry->name, entry->icon, location.string()});
    return arguments && m_parts.start(*arguments);
}

} // namespace tarn
