#pragma once

// Lets each application of the family publish a small live status into the suite folder and any
// other read it back, subject to the suite freshness rule (a record too old, or whose writer is
// gone, reads as absent). Beside the seven status files ("<lower-case raw value>-live.json" for
// memory, sensors, reaper, volume, tunes, zen and dock) it keeps one live-activity tile per
// application in "LiveTiles/<lower-case raw value>.json", tells peers that telemetry changed,
// carries the dock-hover notice, and builds the virtual-memory summary.
//
// The bus decides nothing about what or when to publish; the applications do. Nothing throws or
// reports a failure: a write that fails leaves the old file, a read that fails gives nothing.
// Files are replaced atomically, so concurrent writers resolve to the last one. Files are written
// only into folders that are the user's own with mode 0700 (a wider one of theirs is narrowed,
// anyone else's is refused and the reason logged) and are replaced as files: a link in a file's
// place is replaced, never written through. Only a regular file of the user's own standing in the
// folder is read; a link there is not followed.
//
// The bus's only state is whether it last found its folders refused (so that it logs that once);
// it may be used from any thread. The services and the log must outlive the bus and every
// subscription it hands out. Handlers of observations run on the main thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/DistributedNotifier.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"
#include "TarnKit/Suite/Commands/SuiteFolderGuard.h"
#include "TarnKit/Suite/Commands/TarnSuiteApp.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"
#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"
#include "TarnKit/Suite/Records/TarnDockLiveStatus.h"
#include "TarnKit/Suite/Records/TarnLiveActivityTile.h"
#include "TarnKit/Suite/Records/TarnMemoryLiveStatus.h"
#include "TarnKit/Suite/Records/TarnReaperLiveStatus.h"
#include "TarnKit/Suite/Records/TarnSensorsLiveStatus.h"
#include "TarnKit/Suite/Records/TarnTunesLiveStatus.h"
#include "TarnKit/Suite/Records/TarnVolumeLiveStatus.h"
#include "TarnKit/Suite/Records/TarnZenLiveStatus.h"
#include "TarnKit/Suite/Telemetry/TarnDockDropArea.h"

namespace tarn {

class TarnSuiteTelemetryBus final {
public:
    struct Services {
        DistributedNotifier& notifier;
        MainThreadExecutor& mainThread;
        const ProcessProbe& processes;
        const VirtualMemorySummaryReader& memorySummary;
    };

    static constexpr std::string_view kTelemetryUpdatedNotification = "com.harrowfen.suite.telemetryUpdated";
    static constexpr std::string_view kZenDockHoverNotification = "com.harrowfen.suite.zenDockHover";
    // The text the hover notice carries when the dragged window is over no drop area.
    static constexpr std::string_view kNoDropArea = "none";
    // How old a memory status the summary still merges, either side of now.
    static constexpr double kMemorySummaryMaxAgeSeconds = 18.0;
    // A status or tile larger than this is no record of the family's and is not read.
    static constexpr std::uintmax_t kMaxRecordBytes = 1024 * 1024;
    // The tile folder holds one file per catalog application; more entries are not looked at.
    static constexpr std::size_t kMaxTileEntries = 4096;

    // Files in `baseDirectory` (the family's is TarnSuiteDirectory::at()). `log`, when given,
    // learns why a folder was refused. Touches no file.
    TarnSuiteTelemetryBus(Services services, std::filesystem::path baseDirectory, LogSink* log = nullptr);

    const std::filesystem::path& baseDirectory() const { return m_baseDirectory; }
    // The status file of one of the seven applications that publish one; none for the others.
    std::optional<std::filesystem::path> statusPath(TarnSuiteApp app) const;
    std::filesystem::path liveTilePath(TarnSuiteApp app) const;

    // Each writes the record over the application's status file and, where it takes
    // `notifyPeers` and that is set, posts kTelemetryUpdatedNotification (even when the write
    // failed). A record that cannot be encoded writes nothing.
    void publishMemoryStatus(const TarnMemoryLiveStatus& status, bool notifyPeers);
    void publishSensorsStatus(const TarnSensorsLiveStatus& status);
    void publishReaperStatus(const TarnReaperLiveStatus& status);
    void publishVolumeStatus(const TarnVolumeLiveStatus& status, bool notifyPeers);
    void publishTunesStatus(const TarnTunesLiveStatus& status, bool notifyPeers);
    void publishZenStatus(const TarnZenLiveStatus& status, bool notifyPeers);
    void publishDockStatus(const TarnDockLiveStatus& status, bool notifyPeers);

    // The record in the application's status file when it can be read, decodes and is fresh
    // for `now` and `maxAgeSeconds`; the file is never changed by a reader.
    std::optional<TarnMemoryLiveStatus> readMemoryStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnSensorsLiveStatus> readSensorsStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnReaperLiveStatus> readReaperStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnVolumeLiveStatus> readVolumeStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnTunesLiveStatus> readTunesStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnZenLiveStatus> readZenStatus(WallTime now, double maxAgeSeconds) const;
    std::optional<TarnDockLiveStatus> readDockStatus(WallTime now, double maxAgeSeconds) const;

    // Removes the application's status file; nothing for an application without one. No notice.
    void clearStatus(TarnSuiteApp app);

    // Writes the tile over its application's tile file; posts like a status publish, but only
    // when the tile could be encoded.
    void publishLiveTile(const TarnLiveActivityTile& tile, bool notifyPeers);
    // Removes the application's tile file. No notice.
    void clearLiveTile(TarnSuiteApp app);
    // The fresh tiles, higher priority first, then newer first; ties keep the folder's order.
    // Files whose extension is "json" in any letter case are read; hidden ones are not.
    std::vector<TarnLiveActivityTile> readLiveTiles(WallTime now, double maxAgeSeconds) const;

    // Calls `handler` on the main thread for every kTelemetryUpdatedNotification.
    Subscription observeTelemetryUpdates(std::function<void()> handler);
    // Tells the dock which drop area a dragged window is over, or that it is over none.
    void postZenDockHoverTarget(std::optional<TarnDockDropArea> area);
    // Calls `handler` on the main thread with the area of every hover notice: "mini" and
    // "studio" name one, anything else (including "none") none.
    Subscription observeZenDockHover(std::function<void(std::optional<TarnDockDropArea>)> handler);

    // Steps 2 and 3 of the freshness rule: pid above 0 and the process exists.
    bool isPIDAlive(std::int32_t pid) const;

    // The summary, merging the memory status when it is at most kMemorySummaryMaxAgeSeconds old.
    TarnVirtualMemorySummary readVirtualMemorySummary(WallTime now) const;

private:
    template <typename Record> void publishStatus(const Record& status, TarnSuiteApp app, bool notifyPeers);
    template <typename Record>
    std::optional<Record> readStatus(TarnSuiteApp app, WallTime now, double maxAgeSeconds) const;
    void postTelemetryUpdated();

    Services m_services;
    std::filesystem::path m_baseDirectory;
    SuiteFolderGuard m_folders;
};

} // namespace tarn
