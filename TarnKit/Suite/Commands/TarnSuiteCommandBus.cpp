#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Suite/Commands/SuiteFolderGuard.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

constexpr std::string_view kNotificationPrefix = "com.harrowfen.suite.command.";
constexpr std::string_view kClaimSuffix = ".taken";
// The folder holds a slot per application and, for moments, the claims of takers; entries past
// this many are not looked at for abandoned claims.
constexpr std::size_t kMaxFolderEntries = 4096;

bool isFresh(const TarnSuiteCommandEnvelope& envelope, WallTime now, std::chrono::duration<double> maxAge)
{
    const std::chrono::duration<double> age = envelope.timestamp - now;
    return std::abs(age.count()) <= maxAge.count();
}

// Whether `name` is a claim on the slot `slotName` whose taker is gone. A claim is named
// ".<slot>.<process>.<random id>.taken"; one of another form (as an older version named them)
// names no taker that could still finish it.
bool isAbandonedClaim(std::string_view name, std::string_view slotName)
{
    const std::string prefix = "." + std::string(slotName) + ".";
    if (name.size() <= prefix.size() + kClaimSuffix.size() || !name.starts_with(prefix)
        || !name.ends_with(kClaimSuffix)) {
        return false;
    }
    const auto middle = name.substr(prefix.size(), name.size() - prefix.size() - kClaimSuffix.size());
    pid_t taker = 0;
    const auto [end, error] = std::from_chars(middle.data(), middle.data() + middle.size(), taker);
    if (error != std::errc() || end == middle.data() || *end != '.' || taker <= 0) {
        return true;
    }
    // A claim of this process is being taken by another of its threads right now.
    return taker != ::getpid() && ::kill(taker, 0) != 0 && errno == ESRCH;
}

} // namespace

struct TarnSuiteCommandBus::State {
    State(Services givenServices, const std::filesystem::path& base, LogSink* log)
        : services(givenServices)
        , baseDirectory(base)
        , commandsDirectory(base / "Commands")
        , folders(log)
    {
    }

    Services services;
    std::filesystem::path baseDirectory;
    std::filesystem::path commandsDirectory;
    SuiteFolderGuard folders;

    std::filesystem::path slotPath(TarnSuiteApp app) const
    {
        return commandsDirectory / (lowercasedRawValue(app) + "-cmd.json");
    }

    bool write(const TarnSuiteCommandEnvelope& envelope) const
    {
        if (!folders.prepare({baseDirectory, commandsDirectory})) {
            return false;
        }
        const auto text = envelope.toJson();
        if (!text || text->size() > kMaxSlotBytes) {
            return false;
        }
        return static_cast<bool>(AtomicFileWriter::write(slotPath(envelope.targetApp), *text,
            AtomicFileWriter::NewFileMode::ownerOnly, AtomicFileWriter::Links::replaceEntry));
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
        const auto text = WholeFile::read(slotPath(app), kMaxSlotBytes, WholeFile::Access::ownFileOnly);
        return text ? validCommand(*text, app, now, maxAge) : std::nullopt;
    }

    // Claims `file` under a name no other taker uses, reads it and removes the claim. The text only
    // when this taker removed it: another may have taken the claim over meanwhile, and then it is
    // that one's to carry out.
    std::optional<std::string> take(const std::filesystem::path& file, std::string_view slotName) const
    {
        // Only a file, or a link (which is taken itself, never what it points to): a folder or a
        // device in its place is not the bus's to remove.
        struct stat status { };
        if (::lstat(file.c_str(), &status) != 0 || !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) {
            return std::nullopt;
        }
        const auto claimed = commandsDirectory
            / fmt::format(".{}.{}.{}{}", slotName, ::getpid(), Uuid::random().toString(), kClaimSuffix);
        if (::rename(file.c_str(), claimed.c_str()) != 0) {
            return std::nullopt;
        }
        auto text = WholeFile::read(claimed, kMaxSlotBytes, WholeFile::Access::ownFileOnly);
        if (::unlink(claimed.c_str()) != 0 || !text) {
            return std::nullopt;
        }
        return std::move(text).value();
    }

    std::vector<std::filesystem::path> abandonedClaims(std::string_view slotName) const
    {
        std::vector<std::filesystem::path> claims;
        std::error_code error;
        std::size_t seen = 0;
        for (std::filesystem::directory_iterator entry(commandsDirectory, error), end;
             !error && entry != end && seen < kMaxFolderEntries; entry.increment(error), ++seen) {
            if (isAbandonedClaim(entry->path().filename().string(), slotName)) {
                claims.push_back(entry->path());
            }
        }
        return claims;
    }

    std::optional<TarnSuiteCommandEnvelope> consume(
        TarnSuiteApp app, WallTime now, std::chrono::duration<double> maxAge) const
    {
        const auto slot = slotPath(app);
        const std::string slotName = slot.filename().string();
        std::optional<TarnSuiteCommandEnvelope> newest;
        const auto keepNewest = [&](const std::optional<std::string>& text) {
            auto command = text ? validCommand(*text, app, now, maxAge) : std::nullopt;
            if (command && (!newest || command->timestamp > newest->timestamp)) {
                newest = std::move(command);
            }
        };
        // Claimed from here on, a command written meanwhile lands in the slot again and waits.
        keepNewest(take(slot, slotName));
        // A taker killed between its claim and its removal left the command behind, never carried
        // out; one in the slot now was written after it, and replaces it as any newer command does.
        for (const auto& claim : abandonedClaims(slotName)) {
            keepNewest(take(claim, slotName));
        }
        return newest;
    }
};

TarnSuiteCommandBus::TarnSuiteCommandBus(Services services, const std::filesystem::path& baseDirectory, LogSink* log)
    : m_state(std::make_shared<const State>(services, baseDirectory, log))
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
