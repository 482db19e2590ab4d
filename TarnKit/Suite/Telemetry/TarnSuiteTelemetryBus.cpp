#include "TarnKit/Suite/Telemetry/TarnSuiteTelemetryBus.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <system_error>

#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Suite/Records/Coding/SuiteRecordText.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {
namespace {

constexpr std::array kStatusApps {TarnSuiteApp::tarnMemory, TarnSuiteApp::tarnSensors, TarnSuiteApp::tarnReaper,
    TarnSuiteApp::tarnVolume, TarnSuiteApp::tarnTunes, TarnSuiteApp::tarnZen, TarnSuiteApp::tarnDock};

std::optional<std::string> readRecordText(const std::filesystem::path& path)
{
    auto text = WholeFile::read(path, TarnSuiteTelemetryBus::kMaxRecordBytes, WholeFile::Access::ownFileOnly);
    return text ? std::optional<std::string>(std::move(text).value()) : std::nullopt;
}

// Replaces whatever stands at the path, a link included, and never writes through one.
void writeRecord(const std::filesystem::path& path, const std::string& text)
{
    static_cast<void>(AtomicFileWriter::write(
        path, text, AtomicFileWriter::NewFileMode::ownerOnly, AtomicFileWriter::Links::replaceEntry));
}

void removeQuietly(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

// The names in the tile folder that may hold a tile, in the order the folder lists them.
std::vector<std::filesystem::path> tileFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::size_t seen = 0;
    for (std::filesystem::directory_iterator entry(folder, error), end;
         !error && entry != end && seen < TarnSuiteTelemetryBus::kMaxTileEntries; entry.increment(error), ++seen) {
        const auto& path = entry->path();
        if (!path.filename().string().starts_with('.')
            && UnicodeText::lowercased(path.extension().string()) == ".json") {
            files.push_back(path);
        }
    }
    return files;
}

// Runs `handler` on the main thread once per notice, until the subscription ends; a task still
// queued when it ends does nothing.
Subscription observeOnMainThread(DistributedNotifier& notifier, MainThreadExecutor& mainThread, std::string_view name,
    std::function<void(const std::optional<std::string>&)> handler)
{
    auto observing = std::make_shared<std::atomic<bool>>(true);
    auto shared = std::make_shared<const std::function<void(const std::optional<std::string>&)>>(std::move(handler));
    Subscription observation = notifier.observe(
        std::string(name), [&mainThread, observing, shared](const std::optional<std::string>& object) {
            mainThread.post([observing, shared, object] {
                if (*observing) {
                    (*shared)(object);
                }
            });
        });
    return Subscription([observing, observation = std::make_shared<Subscription>(std::move(observation))] {
        *observing = false;
        observation->cancel();
    });
}

} // namespace

TarnSuiteTelemetryBus::TarnSuiteTelemetryBus(Services services, std::filesystem::path baseDirectory, LogSink* log)
    : m_services(services)
    , m_baseDirectory(std::move(baseDirectory))
    , m_folders(log)
{
}

std::optional<std::filesystem::path> TarnSuiteTelemetryBus::statusPath(TarnSuiteApp app) const
{
    if (std::find(kStatusApps.begin(), kStatusApps.end(), app) == kStatusApps.end()) {
        return std::nullopt;
    }
    return m_baseDirectory / (lowercasedRawValue(app) + "-live.json");
}

std::filesystem::path TarnSuiteTelemetryBus::liveTilePath(TarnSuiteApp app) const
{
    return m_baseDirectory / "LiveTiles" / (lowercasedRawValue(app) + ".json");
}

template <typename Record>
void TarnSuiteTelemetryBus::publishStatus(const Record& status, TarnSuiteApp app, bool notifyPeers)
{
    // A failure of any step leaves the previous file; peers asked to look are told all the same.
    if (m_folders.prepare({m_baseDirectory})) {
        if (const auto text = encodeSuiteRecord(status)) {
            writeRecord(*statusPath(app), *text);
        }
    }
    if (notifyPeers) {
        postTelemetryUpdated();
    }
}

template <typename Record>
std::optional<Record> TarnSuiteTelemetryBus::readStatus(TarnSuiteApp app, WallTime now, double maxAgeSeconds) const
{
    const auto text = readRecordText(*statusPath(app));
    if (!text) {
        return std::nullopt;
    }
    auto status = decodeSuiteRecord<Record>(*text);
    if (!status || !status->isFresh(now, maxAgeSeconds, m_services.processes)) {
        return std::nullopt;
    }
    return status;
}

void TarnSuiteTelemetryBus::publishMemoryStatus(const TarnMemoryLiveStatus& status, bool notifyPeers)
{
    publishStatus(status, TarnSuiteApp::tarnMemory, notifyPeers);
}

void TarnSuiteTelemetryBus::publishSensorsStatus(const TarnSensorsLiveStatus& status)
{
    publishStatus(status, TarnSuiteApp::tarnSensors, false);
}

void TarnSuiteTelemetryBus::publishReaperStatus(const TarnReaperLiveStatus& status)
{
    publishStatus(status, TarnSuiteApp::tarnReaper, false);
}

void TarnSuiteTelemetryBus::publishVolumeStatus(const TarnVolumeLiveStatus& status, bool notifyPeers)
{
    publishStatus(status, TarnSuiteApp::tarnVolume, notifyPeers);
}

void TarnSuiteTelemetryBus::publishTunesStatus(const TarnTunesLiveStatus& status, bool notifyPeers)
{
    publishStatus(status, TarnSuiteApp::tarnTunes, notifyPeers);
}

void TarnSuiteTelemetryBus::publishZenStatus(const TarnZenLiveStatus& status, bool notifyPeers)
{
    publishStatus(status, TarnSuiteApp::tarnZen, notifyPeers);
}

void TarnSuiteTelemetryBus::publishDockStatus(const TarnDockLiveStatus& status, bool notifyPeers)
{
    publishStatus(status, TarnSuiteApp::tarnDock, notifyPeers);
}

std::optional<TarnMemoryLiveStatus> TarnSuiteTelemetryBus::readMemoryStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnMemoryLiveStatus>(TarnSuiteApp::tarnMemory, now, maxAgeSeconds);
}

std::optional<TarnSensorsLiveStatus> TarnSuiteTelemetryBus::readSensorsStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnSensorsLiveStatus>(TarnSuiteApp::tarnSensors, now, maxAgeSeconds);
}

std::optional<TarnReaperLiveStatus> TarnSuiteTelemetryBus::readReaperStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnReaperLiveStatus>(TarnSuiteApp::tarnReaper, now, maxAgeSeconds);
}

std::optional<TarnVolumeLiveStatus> TarnSuiteTelemetryBus::readVolumeStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnVolumeLiveStatus>(TarnSuiteApp::tarnVolume, now, maxAgeSeconds);
}

std::optional<TarnTunesLiveStatus> TarnSuiteTelemetryBus::readTunesStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnTunesLiveStatus>(TarnSuiteApp::tarnTunes, now, maxAgeSeconds);
}

std::optional<TarnZenLiveStatus> TarnSuiteTelemetryBus::readZenStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnZenLiveStatus>(TarnSuiteApp::tarnZen, now, maxAgeSeconds);
}

std::optional<TarnDockLiveStatus> TarnSuiteTelemetryBus::readDockStatus(WallTime now, double maxAgeSeconds) const
{
    return readStatus<TarnDockLiveStatus>(TarnSuiteApp::tarnDock, now, maxAgeSeconds);
}

void TarnSuiteTelemetryBus::clearStatus(TarnSuiteApp app)
{
    if (const auto path = statusPath(app)) {
        removeQuietly(*path);
    }
}

void TarnSuiteTelemetryBus::publishLiveTile(const TarnLiveActivityTile& tile, bool notifyPeers)
{
    const auto text = encodeSuiteRecord(tile);
    if (!text) {
        return;
    }
    const auto path = liveTilePath(tile.app());
    if (m_folders.prepare({m_baseDirectory, path.parent_path()})) {
        writeRecord(path, *text);
    }
    if (notifyPeers) {
        postTelemetryUpdated();
    }
}

void TarnSuiteTelemetryBus::clearLiveTile(TarnSuiteApp app)
{
    removeQuietly(liveTilePath(app));
}

std::vector<TarnLiveActivityTile> TarnSuiteTelemetryBus::readLiveTiles(WallTime now, double maxAgeSeconds) const
{
    std::vector<TarnLiveActivityTile> tiles;
    for (const auto& file : tileFiles(m_baseDirectory / "LiveTiles")) {
        const auto text = readRecordText(file);
        auto tile = text ? decodeSuiteRecord<TarnLiveActivityTile>(*text) : std::nullopt;
        if (tile && tile->isFresh(now, maxAgeSeconds, m_services.processes)) {
            tiles.push_back(std::move(*tile));
        }
    }
    std::stable_sort(tiles.begin(), tiles.end(), [](const TarnLiveActivityTile& a, const TarnLiveActivityTile& b) {
        if (a.priority() != b.priority()) {
            return a.priority() > b.priority();
        }
        return a.timestamp() > b.timestamp();
    });
    return tiles;
}

Subscription TarnSuiteTelemetryBus::observeTelemetryUpdates(std::function<void()> handler)
{
    return observeOnMainThread(m_services.notifier, m_services.mainThread, kTelemetryUpdatedNotification,
        [handler = std::move(handler)](const std::optional<std::string>&) { handler(); });
}

void TarnSuiteTelemetryBus::postZenDockHoverTarget(std::optional<TarnDockDropArea> area)
{
    static_cast<void>(
        m_services.notifier.post(kZenDockHoverNotification, std::string(area ? rawValue(*area) : kNoDropArea)));
}

Subscription TarnSuiteTelemetryBus::observeZenDockHover(std::function<void(std::optional<TarnDockDropArea>)> handler)
{
    return observeOnMainThread(m_services.notifier, m_services.mainThread, kZenDockHoverNotification,
        [handler = std::move(handler)](const std::optional<std::string>& object) {
            handler(object ? tarnDockDropAreaFromRawValue(*object) : std::nullopt);
        });
}

bool TarnSuiteTelemetryBus::isPIDAlive(std::int32_t pid) const
{
    return SuiteFreshness::isSenderAlive(pid, m_services.processes);
}

TarnVirtualMemorySummary TarnSuiteTelemetryBus::readVirtualMemorySummary(WallTime now) const
{
    return m_services.memorySummary.read(readMemoryStatus(now, kMemorySummaryMaxAgeSeconds));
}

void TarnSuiteTelemetryBus::postTelemetryUpdated()
{
    static_cast<void>(m_services.notifier.post(kTelemetryUpdatedNotification));
}

} // namespace tarn
