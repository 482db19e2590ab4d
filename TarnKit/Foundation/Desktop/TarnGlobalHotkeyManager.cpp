#include "TarnKit/Foundation/Desktop/TarnGlobalHotkeyManager.h"

#include <utility>

namespace tarn {

TarnGlobalHotkeyManager::TarnGlobalHotkeyManager(HotkeyBackend& backend, MainThreadExecutor& executor)
    : m_backend(backend)
    , m_executor(executor)
{
    // The handler runs on the backend's thread, so it touches nothing of the manager but the
    // executor; the lookup happens on the main thread when the task runs, and an action that was
    // unregistered in the meantime is simply not found.
    std::weak_ptr<Handlers> handlers = m_handlers;
    MainThreadExecutor* target = &m_executor;
    m_pressSubscription = m_backend.onPress([handlers, target](std::uint32_t id) {
        target->post([handlers, id] {
            const auto alive = handlers.lock();
            if (!alive) {
                return;
            }
            const auto found = alive->find(id);
            if (found == alive->end()) {
                return;
            }
            // A copy, because the action may unregister itself (or everything) while it runs.
            const Action action = found->second;
            action();
        });
    });
}

TarnGlobalHotkeyManager::~TarnGlobalHotkeyManager()
{
    unregisterAll();
    // After this no press reaches the executor; presses already queued find the handlers gone.
    m_pressSubscription.cancel();
    m_handlers.reset();
}

std::optional<std::uint32_t> TarnGlobalHotkeyManager::registerHotkey(
    const TarnHotkeyDescriptor& descriptor, Action action)
{
    if (m_nextID > kLastID) {
        return std::nullopt;
    }
    const std::uint32_t id = m_nextID++;
    if (!action || !m_backend.registerHotkey(id, descriptor)) {
        return std::nullopt;
    }
    m_registered.insert(id);
    (*m_handlers)[id] = std::move(action);
    return id;
}

void TarnGlobalHotkeyManager::unregister(std::uint32_t id)
{
    if (m_registered.erase(id) > 0) {
        m_backend.unregisterHotkey(id);
    }
    m_handlers->erase(id);
}

void TarnGlobalHotkeyManager::unregisterAll()
{
    for (const std::uint32_t id : m_registered) {
        m_backend.unregisterHotkey(id);
    }
    m_registered.clear();
    m_handlers->clear();
}

} // namespace tarn
