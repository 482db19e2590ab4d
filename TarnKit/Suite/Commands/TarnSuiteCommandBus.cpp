#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <utility>

#include <fmt/format.h>

#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

constexpr std::string_view kNotificationPrefix = "com.harrowfen.suite.command.";

bool isFresh(const TarnSuiteCommandEnvelope& envelope, WallTime now, std::chrono::duration<double> maxAge)
{
    const std::chrono::duration<double> age = envelope.timestamp - now;
    return std::abs(age.count()) <= maxAge.count();
}

} // namespace

struct TarnSuiteCommandBus::State {
    Services services;
    std::filesystem::path commandsDirectory;

    std::filesystem::path slotPath(TarnSuiteApp app) const
    {
        return commandsDirectory / (lowercasedRawValue(app) + "-cmd.json");
    }

    bool write(const TarnSuiteCommandEnvelope& envelope) const
    {
        if (!TarnSuiteDirectory::createPrivateFolder(commandsDirectory)) {
            return false;
        }
        const auto text = envelope.toJson();
        if (!text || text->size() > kMaxSlotBytes) {
            return false;
        }
        return static_cast<bool>(AtomicFileWriter::write(slotPath(envelope.targetApp), *text));
    }

    // The command the slot's text holds for `app`, when it is one and fresh.
    static std::optional<TarnSuiteCommandEnvelope> validCommand(
        const std::string& text, TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge)
    {
        auto envelope = TarnSuiteCommandEnvelope::fromJson(text);
        if (!envelope || envelope->targetApp != app || !isFresh(*envelope, now, maxAge)) {
            return std::nullopt;
        }
        return envelope;
    }

    std::optional<TarnSuiteCommandEnvelope> peek(
        TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge) const
    {
        const auto text = WholeFile::read(slotPath(app), kMaxSlotBytes);
        return text ? validCommand(*text, app, now, maxAge) : std::nullopt;
    }

    std::optional<TarnSuiteCommandEnvelope> consume(
        TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge) const
    {
        const auto slot = slotPath(app);
        // Only a file, or a link (which is taken itself, never what it points to): a folder or a
        // device in the slot's place is not the bus's to remove.
        struct stat status { };
        if (::lstat(slot.c_str(), &status) != 0 || !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) {
            return std::nullopt;
        }
        // Claimed under a name no other taker uses; a command written from here on lands in the
        // slot again and waits there.
        const auto claimed
            = commandsDirectory / fmt::format(".{}.{}.taken", slot.filename().string(), Uuid::random().toString());
        if (::rename(slot.c_str(), claimed.c_str()) != 0) {
            return std::nullopt;
        }
        const auto text = WholeFile::read(claimed, kMaxSlotBytes);
        ::unlink(claimed.c_str());
        return text ? validCommand(*text, app, now, maxAge) : std::nullopt;
    }
};

TarnSuiteCommandBus::TarnSuiteCommandBus(Services services, const std::filesystem::path& baseDirectory)
    : m_state(std::make_shared<const State>(State {services, baseDirectory / "Commands"}))
{
}

TarnSuiteCommandBus::~TarnSuiteCommandBus() = default;

std::string TarnSuiteCommandBus::notificationName(TarnSuiteApp app)
{
    return std::string(kNotificationPrefix) + lowercasedRawValue(app);
}

const std::filesystem::path& TarnSuiteCommandBus::commandsDirectory() const
{
    return m_state->commandsDirectory;
}

std::filesystem::path TarnSuiteCommandBus::slotPath(TarnSuiteApp app) const
{
    return m_state->slotPath(app);
}

TarnSuiteCommandBus::SendOutcome TarnSuiteCommandBus::send(
    TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, const TarnSuiteSendOptions& options)
{
    // Process numbers 0 and 1 are the scheduler and init: no command is ever about them.
    if (options.targetPID && *options.targetPID < 2) {
        return SendOutcome::notWritten;
    }
    AppEnvironment& environment = m_state->services.environment;
    const bool wasRunning = environment.isRunning(to);
    if (!wasRunning && !(options.launchIfNeeded && environment.isInstalled(to))) {
        return SendOutcome::notWritten;
    }
    const TarnSuiteCommandEnvelope envelope {Uuid::random(), m_state->services.clock.wallNow(), from, to, kind,
        options.targetPID, options.targetName, options.payload};
    if (!m_state->write(envelope)) {
        return SendOutcome::notWritten;
    }
    if (wasRunning) {
        const bool woken = m_state->services.notifier.post(notificationName(to));
        if (options.bringToFront) {
            environment.launch(to);
        }
        return woken ? SendOutcome::delivered : SendOutcome::writtenNotDelivered;
    }
    const auto location = environment.installedLocation(to);
    if (!location) {
        return SendOutcome::writtenNotDelivered;
    }
    return environment.open(*location, options.bringToFront) ? SendOutcome::delivered
                                                             : SendOutcome::writtenNotDelivered;
}

bool TarnSuiteCommandBus::enqueue(const TarnSuiteCommandEnvelope& envelope)
{
    return m_state->write(envelope);
}

std::optional<TarnSuiteCommandEnvelope> TarnSuiteCommandBus::peekPendingCommand(
    TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge) const
{
    return m_state->peek(app, now, maxAge);
}

std::optional<TarnSuiteCommandEnvelope> TarnSuiteCommandBus::consumePendingCommand(
    TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge)
{
    return m_state->consume(app, now, maxAge);
}

Subscription TarnSuiteCommandBus::startListening(TarnSuiteApp app, Handler handler)
{
    // Cleared when listening ends, so that no task still queued calls the handler afterwards.
    auto listening = std::make_shared<std::atomic<bool>>(true);
    const std::weak_ptr<const State> weakState = m_state;
    // Runs on the main thread: one take of the slot, handed to the handler.
    auto drain = [weakState, app, listening, handler = std::move(handler)] {
        const auto state = weakState.lock();
        if (!state || !*listening) {
            return;
        }
        if (auto command = state->consume(app, state->services.clock.wallNow(), kListenerMaxAge)) {
            handler(*command);
        }
    };
    Subscription observation = m_state->services.notifier.observe(
        notificationName(app), [weakState, drain](const std::optional<std::string>&) {
            if (const auto state = weakState.lock()) {
                state->services.mainThread.post(drain);
            }
        });
    m_state->services.mainThread.postAfter(kWaitingCommandDelay, drain);
    return Subscription([listening, observation = std::make_shared<Subscription>(std::move(observation))] {
        *listening = false;
        observation->cancel();
    });
}

} // namespace tarn
