#pragma once

// Device change notices a test gives by hand: `notify` runs every subscriber at once, on the
// test's thread, which plays the main thread. Subscribing is journalled.

#include <functional>
#include <map>

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInput/ViewModel/Ports/DeviceChangeNotices.h"

namespace tarn::input {

class FakeDeviceChangeNotices final : public DeviceChangeNotices {
public:
    explicit FakeDeviceChangeNotices(CallJournal& journal)
        : m_journal(journal)
    {
    }

    Subscription subscribe(std::function<void()> changed) override
    {
        m_journal.record("deviceChanges.subscribe");
        const int id = m_nextID++;
        m_subscribers.emplace(id, std::move(changed));
        return Subscription([this, id] { m_subscribers.erase(id); });
    }

    void notify()
    {
        // A subscriber may cancel itself (or another) while being told.
        const auto subscribers = m_subscribers;
        for (const auto& [id, changed] : subscribers) {
            if (m_subscribers.contains(id)) {
                changed();
            }
        }
    }

    std::size_t subscriberCount() const { return m_subscribers.size(); }

private:
    CallJournal& m_journal;
    std::map<int, std::function<void()>> m_subscribers;
    int m_nextID = 0;
};

} // namespace tarn::input
