#include "tests/XcbRoundTripCounter.h"

#include <array>
#include <atomic>

namespace {

std::atomic<std::uint64_t> gRoundTrips {0};
// Per file descriptor: whether something was sent since the last wait for reading.
std::array<std::atomic<bool>, 1024> gSentSinceWait {};

// struct pollfd and POLLOUT as Linux defines them; the header is left out, as this file defines
// poll itself.
struct PollEntry {
    int fd;
    short events;
    short revents;
};
constexpr short kPollOut = 0x004;

std::atomic<bool>* sentFlag(int fd)
{
    return fd >= 0 && static_cast<std::size_t>(fd) < gSentSinceWait.size()
        ? &gSentSinceWait[static_cast<std::size_t>(fd)]
        : nullptr;
}

} // namespace

std::uint64_t tarn::xcbRoundTripCount()
{
    return gRoundTrips.load(std::memory_order_relaxed);
}

extern "C" {

int __poll(PollEntry* entries, unsigned long count, int timeout);

int poll(PollEntry* entries, unsigned long count, int timeout)
{
    for (unsigned long index = 0; index < count; ++index) {
        std::atomic<bool>* sent = sentFlag(entries[index].fd);
        if (sent == nullptr) {
            continue;
        }
        if ((entries[index].events & kPollOut) != 0) {
            sent->store(true, std::memory_order_relaxed);
        } else if (sent->exchange(false, std::memory_order_relaxed)) {
            gRoundTrips.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return __poll(entries, count, timeout);
}

} // extern "C"
