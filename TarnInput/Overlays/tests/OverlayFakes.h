#pragma once

// In-memory stand-ins for the overlays' ports: a virtual clock whose calls run when a test
// advances it, screens and a pointer the test sets, and a window manager that records which
// windows were prepared and says whether a compositor runs.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "TarnInput/Overlays/OverlayClock.h"
#include "TarnInput/Overlays/OverlayScreens.h"
#include "TarnInput/Overlays/OverlayWindowManager.h"

namespace tarn::input {

class FakeOverlayClock final : public OverlayClock {
public:
    MonotonicTime now() const override { return m_now; }

    std::unique_ptr<Timer> callAfter(std::chrono::nanoseconds delay, std::function<void()> task) override
    {
        const std::uint64_t id = m_nextId++;
        m_pending.emplace(id, Pending {m_now + delay, std::move(task)});
        return std::make_unique<FakeTimer>(*this, id);
    }

    // Moves time on by `step`, running each call as its time comes, in time order (calls due at
    // the same moment in the order they were made), with the clock reading that moment.
    void advance(std::chrono::nanoseconds step)
    {
        const MonotonicTime end = m_now + step;
        while (true) {
            auto next = std::min_element(m_pending.begin(), m_pending.end(), [](const auto& a, const auto& b) {
                return std::pair(a.second.due, a.first) < std::pair(b.second.due, b.first);
            });
            if (next == m_pending.end() || next->second.due > end) {
                break;
            }
            m_now = std::max(m_now, next->second.due);
            // Taken out before it runs: the task may destroy its own timer.
            std::function<void()> task = std::move(next->second.task);
            m_pending.erase(next);
            task();
        }
        m_now = end;
    }

    std::size_t pendingCount() const { return m_pending.size(); }

private:
    struct Pending {
        MonotonicTime due;
        std::function<void()> task;
    };

    class FakeTimer final : public Timer {
    public:
        FakeTimer(FakeOverlayClock& clock, std::uint64_t id)
            : m_clock(clock)
            , m_id(id)
        {
        }
        ~FakeTimer() override { m_clock.m_pending.erase(m_id); }

    private:
        FakeOverlayClock& m_clock;
        std::uint64_t m_id;
    };

    MonotonicTime m_now {std::chrono::hours(1)};
    std::uint64_t m_nextId = 0;
    std::map<std::uint64_t, Pending> m_pending;
};

class FakeOverlayScreens final : public OverlayScreens {
public:
    OverlayScreenLayout layout() const override { return m_layout; }
    void setLayout(OverlayScreenLayout layout) { m_layout = std::move(layout); }
    void setCursor(QPointF cursor) { m_layout.cursor = cursor; }

private:
    OverlayScreenLayout m_layout;
};

class FakeOverlayWindowManager final : public OverlayWindowManager {
public:
    bool isCompositing() const override { return m_compositing; }
    void prepareToShow(std::uint64_t nativeWindow) override { m_prepared.push_back(nativeWindow); }

    void setCompositing(bool compositing) { m_compositing = compositing; }
    // The native windows prepared, in order, one entry per show.
    const std::vector<std::uint64_t>& prepared() const { return m_prepared; }

private:
    bool m_compositing = true;
    std::vector<std::uint64_t> m_prepared;
};

} // namespace tarn::input
