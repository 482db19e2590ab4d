#include "Platform/Fake/Core/FakeEventTap.h"

namespace tarn::input {

bool FakeEventTap::create(std::uint64_t eventMask, EventTapHandler& handler)
{
    std::lock_guard lock(m_mutex);
    if (m_creationFails) {
        return false;
    }
    ++m_createCount;
    m_handler = &handler;
    m_mask = eventMask;
    m_enabled = false;
    return true;
}

void FakeEventTap::enable()
{
    std::lock_guard lock(m_mutex);
    ++m_enableCount;
    m_enabled = m_handler != nullptr;
}

void FakeEventTap::wake()
{
    std::lock_guard lock(m_mutex);
    ++m_wakeCount;
    if (m_handler != nullptr && !m_wakeUpsDeferred) {
        TapEvent notice;
        notice.type = TapEventType::tapWoken;
        (void)handleWakeUp(notice);
    }
}

void FakeEventTap::destroy()
{
    std::lock_guard lock(m_mutex);
    ++m_destroyCount;
    m_handler = nullptr;
    m_enabled = false;
}

void FakeEventTap::setCreationFails(bool fails)
{
    std::lock_guard lock(m_mutex);
    m_creationFails = fails;
}

void FakeEventTap::setWakeUpsDeferred(bool deferred)
{
    std::lock_guard lock(m_mutex);
    m_wakeUpsDeferred = deferred;
}

std::optional<TapEvent> FakeEventTap::deliver(TapEvent event)
{
    std::lock_guard lock(m_mutex);
    const bool tapped = (m_mask & eventMaskBit(event.type)) != 0;
    if (m_handler == nullptr || !m_enabled || !tapped) {
        return event;
    }
    if (handleWakeUp(event) == TapVerdict::swallow) {
        return std::nullopt;
    }
    return event;
}

void FakeEventTap::disableBySystem(TapEventType notice)
{
    std::lock_guard lock(m_mutex);
    m_enabled = false;
    if (m_handler != nullptr) {
        TapEvent event;
        event.type = notice;
        (void)handleWakeUp(event);
    }
}

TapVerdict FakeEventTap::handleWakeUp(TapEvent& event)
{
    const auto verdict = m_handler->handleTapEvent(event);
    // The handler may have destroyed the tap.
    if (m_handler != nullptr) {
        TapEvent notice;
        notice.type = TapEventType::tapFramesOut;
        (void)m_handler->handleTapEvent(notice);
    }
    return verdict;
}

bool FakeEventTap::exists() const
{
    std::lock_guard lock(m_mutex);
    return m_handler != nullptr;
}

bool FakeEventTap::isEnabled() const
{
    std::lock_guard lock(m_mutex);
    return m_enabled;
}

std::uint64_t FakeEventTap::eventMask() const
{
    std::lock_guard lock(m_mutex);
    return m_mask;
}

int FakeEventTap::createCount() const
{
    std::lock_guard lock(m_mutex);
    return m_createCount;
}

int FakeEventTap::enableCount() const
{
    std::lock_guard lock(m_mutex);
    return m_enableCount;
}

int FakeEventTap::destroyCount() const
{
    std::lock_guard lock(m_mutex);
    return m_destroyCount;
}

int FakeEventTap::wakeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_wakeCount;
}

} // namespace tarn::input
