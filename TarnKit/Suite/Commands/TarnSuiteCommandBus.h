#pragma once

// Lets one application of the family ask another to do something. A command is an envelope
// written as JSON into the target's slot, one file per target in "<base>/Commands"
// ("tarnmemory-cmd.json"), whoever the sender: a newer command for a target replaces one not yet
// taken. A running target is woken by the notice "com.harrowfen.suite.command.<lower-case raw
// value>"; one that is not running can be started, and finds the command when it begins to
// listen. There is no reply, retry or queue. Whoever can write the slot is obeyed, so the bus
// writes only into folders that are the user's own with mode 0700 (a wider one of theirs is
// narrowed, anyone else's is refused and the reason logged), replaces a slot as a file (a link in
// its place is replaced, never written through), and obeys only a regular file of the user's own
// that stands in the slot itself (a link there is never followed).
//
// A command is taken at most once, and a newer one is never lost to the taking of an older: the
// taker first claims the slot by renaming it to a name of its own, then reads and removes that,
// so a command written meanwhile stays in the slot for the next take. A claim whose taker died
// before removing it (killed during a take) is taken over by the next take, which carries its
// command out when no newer one is waiting; of two takers of one claim only the one that removes
// it carries it out.
//
// The bus's only state is whether it last found its folders refused (so that it logs that once);
// its operations may be called from any thread. The services and the log must outlive the bus.
// Listening hands every command to the main thread.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/DistributedNotifier.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"
#include "TarnKit/Suite/Commands/AppEnvironment.h"
#include "TarnKit/Suite/Commands/TarnSuiteCommandEnvelope.h"

namespace tarn {

// What a sent command carries besides its kind, and how its target is reached.
struct TarnSuiteSendOptions {
    std::optional<std::int32_t> targetPID {};
    std::optional<std::string> targetName {};
    std::optional<std::string> payload {};
    // Start the target from its installed location when it is not running.
    bool launchIfNeeded = false;
    // Bring the target to the front: a running one is activated, a started one starts in front.
    bool bringToFront = false;
};

class TarnSuiteCommandBus final {
public:
    struct Services {
        AppEnvironment& environment;
        DistributedNotifier& notifier;
        MainThreadExecutor& mainThread;
        const Clock& clock;
    };

    enum class SendOutcome {
        // Nothing was written: the process number was below 2, the target neither runs nor may be
        // started, a folder is not the user's alone, or the slot could not be written.
        notWritten,
        // The command waits in the slot, but the target was neither woken nor asked to start (no
        // session bus for the notice, an installation gone between the checks, or a start that
        // could not be requested). It is taken when the target next listens, unless stale by then.
        writtenNotDelivered,
        // Written, and the target was woken or asked to start.
        delivered,
    };

    using Handler = std::function<void(const TarnSuiteCommandEnvelope&)>;

    // How old a command the listener still carries out, either side of now.
    static constexpr std::chrono::seconds kListenerMaxAge {25};
    // The wait between starting to listen and taking a command already waiting, so that an
    // application started for a command has settled before it carries the command out.
    static constexpr std::chrono::milliseconds kWaitingCommandDelay {350};
    // A slot larger than this is no command of the family's; a command this large is not written.
    static constexpr std::uintmax_t kMaxSlotBytes = 1024 * 1024;

    // Slots in `baseDirectory`/"Commands"; the family's base folder is TarnSuiteDirectory::at().
    // `log`, when given, learns why a folder was refused. Touches no file.
    TarnSuiteCommandBus(Services services, const std::filesystem::path& baseDirectory, LogSink* log = nullptr);
    ~TarnSuiteCommandBus();
    TarnSuiteCommandBus(const TarnSuiteCommandBus&) = delete;
    TarnSuiteCommandBus& operator=(const TarnSuiteCommandBus&) = delete;

    static std::string notificationName(TarnSuiteApp app);
    const std::filesystem::path& commandsDirectory() const;
    std::filesystem::path slotPath(TarnSuiteApp app) const;

    // Writes a new command (fresh id, now as its time) into the target's slot, then wakes the
    // running target (and activates it for `bringToFront`) or asks the installed one to start.
    // Call from the main thread when `bringToFront` may activate a running target.
    SendOutcome send(
        TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, const TarnSuiteSendOptions& options = {});
    // Writes the envelope as it is into the slot of its target: no check, notice or start.
    [[nodiscard]] bool enqueue(const TarnSuiteCommandEnvelope& envelope);

    // The valid command in the application's slot, leaving the slot as it is. A command for
    // another application, or one whose time lies more than `maxAge` from `now` either way, is no
    // command; one exactly `maxAge` away is.
    std::optional<TarnSuiteCommandEnvelope> peekPendingCommand(
        TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge) const;
    // As peekPendingCommand, but the slot is emptied whenever it held a file or a link that could
    // be taken, whether that held a valid command, an unreadable text, one for another
    // application or a stale one. Claims left by takers that died are taken with it; of what was
    // taken, the newest valid command is the one returned.
    std::optional<TarnSuiteCommandEnvelope> consumePendingCommand(
        TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge);

    // Hands every command that arrives for `app` to `handler` on the main thread, at most
    // kListenerMaxAge old, starting with one already waiting (taken kWaitingCommandDelay after
    // this call). Listening ends with the subscription, or with the bus.
    Subscription startListening(TarnSuiteApp app, Handler handler);

private:
    struct State;
    // Shared with the listeners' tasks, which hold it weakly and do nothing once the bus is gone.
    std::shared_ptr<const State> m_state;
};

} // namespace tarn
