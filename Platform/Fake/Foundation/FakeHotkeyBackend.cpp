#include "Platform/Fake/Foundation/FakeHotkeyBackend.h"

#include <utility>

namespace tarn {

bool FakeHotkeyBackend::registerHotkey(std::uint32_t id, const TarnHotkeyDescriptor& descriptor)
{
    std::lock_guard lock(m_mutex);
    m_requested.push_back(id);
    if (m_refused.contains({descriptor.keyCode(), descriptor.carbonModifiers()})) {
        return false;
    }
    for (const auto& [heldID, held] : m_registrations) {
        if (held == descriptor) {
            return false;
        }
    }
    m_registrations.emplace(id, descriptor);
    return true;
}

void FakeHotkeyBackend::unregisterHotkey(std::uint32_t id)
{
    std::lock_guard lock(m_mutex);
    m_registrations.erase(id);
}

Subscription FakeHotkeyBackend::onPress(PressHandler handler)
{
    {
        std::lock_guard lock(m_handlerMutex);
        m_handler = std::move(handler);
    }
    return Subscription([this] {
        std::lock_guard lock(m_handlerMutex);
        m_handler = nullptr;
    });
}

void FakeHotkeyBackend::refuse(const TarnHotkeyDescriptor& descriptor)
{
    std::lock_guard lock(m_mutex);
    m_refused.insert({descriptor.keyCode(), descriptor.carbonModifiers()});
}

bool FakeHotkeyBackend::press(const TarnHotkeyDescriptor& descriptor)
{
    std::optional<std::uint32_t> id;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [heldID, held] : m_registrations) {
            if (held == descriptor) {
                id = heldID;
            }
        }
    }
    if (!id) {
        return false;
    }
    pressID(*id);
    return true;
}

void FakeHotkeyBackend::pressID(std::uint32_t id)
{
    std::lock_guard lock(m_handlerMutex);
    if (m_handler) {
        m_handler(id);
    }
}

std::map<std::uint32_t, TarnHotkeyDescriptor> FakeHotkeyBackend::registrations() const
{
    std::lock_guard lock(m_mutex);
    return m_registrations;
}

std::vector<std::uint32_t> FakeHotkeyBackend::requestedIDs() const
{
    std::lock_guard lock(m_mutex);
    return m_requested;
}

bool FakeHotkeyBackend::hasPressHandler() const
{
    std::lock_guard lock(m_handlerMutex);
    return static_cast<bool>(m_handler);
}

} // namespace tarn
