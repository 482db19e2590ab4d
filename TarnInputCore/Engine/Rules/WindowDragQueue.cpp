#include "TarnInputCore/Engine/Rules/WindowDragQueue.h"

#include <algorithm>

namespace tarn::input {

std::int64_t WindowDragQueue::buttonOf(const Request& request)
{
    return request.press.type == TapEventType::rightMouseDown ? ButtonNumber::right : ButtonNumber::left;
}

std::optional<WindowDragQueue::Lookup> WindowDragQueue::begin(const TapEvent& press)
{
    // A press that found its window was a drag and has had its turn; it has no click to give back.
    for (std::size_t index = m_count; index-- > 0;) {
        if (m_requests[index].answer == Answer::windowFound) {
            erase(index);
        }
    }
    if (m_count == kCapacity) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < m_count; ++index) {
        m_requests[index].isNewest = false;
    }
    Request& request = m_requests[m_count++];
    request = Request {};
    request.generation = ++m_generation;
    request.press = press;
    request.isNewest = true;
    request.pointer = press.location;
    return Lookup {request.generation, press};
}

void WindowDragQueue::notePassedPress(std::int64_t button)
{
    for (std::size_t index = 0; index < m_count; ++index) {
        if (buttonOf(m_requests[index]) == button) {
            m_requests[index].newerPressPassed = true;
        }
    }
}

bool WindowDragQueue::movePointer(EventPoint pointer)
{
    Request* drag = dragInProgress();
    if (drag == nullptr || drag->answer == Answer::noWindow) {
        return false;
    }
    drag->pointer = pointer;
    drag->pointerPending = true;
    return true;
}

bool WindowDragQueue::release(std::int64_t button)
{
    bool work = false;
    if (Request* drag = dragInProgress()) {
        drag->ended = true;
        work = true;
    }
    for (std::size_t index = 0; index < m_count; ++index) {
        Request& request = m_requests[index];
        if (buttonOf(request) == button && !request.buttonUp) {
            request.buttonUp = true;
            // Answered just before this release: the executor gives the click back whole.
            work = work || request.answer == Answer::noWindow;
        }
    }
    return work;
}

std::optional<TapEvent> WindowDragQueue::takePressToGiveBack()
{
    return takeNoWindow(false);
}

bool WindowDragQueue::answer(std::uint64_t generation, bool windowFound)
{
    const std::size_t index = indexOf(generation);
    if (index == m_count) {
        return false;
    }
    Request& request = m_requests[index];
    if (windowFound && !request.isNewest) {
        // A newer press took over before this one became a drag: nothing is left of it.
        erase(index);
        return false;
    }
    request.answer = windowFound ? Answer::windowFound : Answer::noWindow;
    // Also when released meanwhile: the positions it took before the release are still applied.
    return windowFound;
}

std::optional<TapEvent> WindowDragQueue::takeClickToGiveBack()
{
    return takeNoWindow(true);
}

std::optional<WindowDragQueue::DragStep> WindowDragQueue::takeDragStep()
{
    // At most one press has found its window: the newest, as `begin` and `answer` forget others.
    for (std::size_t index = 0; index < m_count; ++index) {
        Request& request = m_requests[index];
        if (request.answer != Answer::windowFound) {
            continue;
        }
        std::optional<DragStep> step;
        if (request.pointerPending) {
            request.pointerPending = false;
            step = DragStep {request.generation, request.pointer};
        }
        if (request.ended) {
            erase(index);
        }
        return step;
    }
    return std::nullopt;
}

void WindowDragQueue::clear()
{
    m_count = 0;
}

std::size_t WindowDragQueue::indexOf(std::uint64_t generation) const
{
    std::size_t index = 0;
    while (index < m_count && m_requests[index].generation != generation) {
        ++index;
    }
    return index;
}

WindowDragQueue::Request* WindowDragQueue::dragInProgress()
{
    if (m_count == 0) {
        return nullptr;
    }
    Request& newest = m_requests[m_count - 1];
    return newest.isNewest && !newest.ended ? &newest : nullptr;
}

void WindowDragQueue::erase(std::size_t index)
{
    const auto first = m_requests.begin() + static_cast<std::ptrdiff_t>(index);
    std::move(first + 1, m_requests.begin() + static_cast<std::ptrdiff_t>(m_count), first);
    --m_count;
}

std::optional<TapEvent> WindowDragQueue::takeNoWindow(bool buttonUp)
{
    std::size_t index = 0;
    while (index < m_count) {
        const Request& request = m_requests[index];
        if (request.answer != Answer::noWindow || request.buttonUp != buttonUp) {
            ++index;
            continue;
        }
        const bool stale = request.newerPressPassed;
        const TapEvent press = request.press;
        erase(index);
        if (!stale) {
            return press;
        }
    }
    return std::nullopt;
}

} // namespace tarn::input
