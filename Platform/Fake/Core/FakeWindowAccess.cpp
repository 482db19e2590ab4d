#include "Platform/Fake/Core/FakeWindowAccess.h"

namespace tarn::input {

std::optional<WindowRef> FakeWindowAccess::windowAt(EventPoint point)
{
    std::lock_guard lock(m_mutex);
    ++m_lookups;
    for (const auto& window : m_windows) {
        const auto& frame = window.frame;
        if (point.x >= frame.origin.x && point.x < frame.origin.x + frame.size.width && point.y >= frame.origin.y
            && point.y < frame.origin.y + frame.size.height) {
            return window.ref;
        }
    }
    return std::nullopt;
}

std::optional<WindowFrame> FakeWindowAccess::frame(WindowRef window)
{
    std::lock_guard lock(m_mutex);
    const auto* found = find(window);
    if (found == nullptr || !found->readable) {
        return std::nullopt;
    }
    return found->frame;
}

bool FakeWindowAccess::setPosition(WindowRef window, EventPoint origin)
{
    std::lock_guard lock(m_mutex);
    auto* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->frame.origin = origin;
    ++m_changes;
    return true;
}

bool FakeWindowAccess::setSize(WindowRef window, WindowSize size)
{
    std::lock_guard lock(m_mutex);
    auto* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->frame.size = size;
    ++m_changes;
    return true;
}

void FakeWindowAccess::addWindow(WindowRef window, WindowFrame frame, bool readable)
{
    std::lock_guard lock(m_mutex);
    m_windows.insert(m_windows.begin(), Window {window, frame, readable});
}

std::optional<WindowFrame> FakeWindowAccess::currentFrame(WindowRef window) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& candidate : m_windows) {
        if (candidate.ref == window) {
            return candidate.frame;
        }
    }
    return std::nullopt;
}

int FakeWindowAccess::lookupCount() const
{
    std::lock_guard lock(m_mutex);
    return m_lookups;
}

int FakeWindowAccess::changeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_changes;
}

FakeWindowAccess::Window* FakeWindowAccess::find(WindowRef window)
{
    for (auto& candidate : m_windows) {
        if (candidate.ref == window) {
            return &candidate;
        }
    }
    return nullptr;
}

} // namespace tarn::input
