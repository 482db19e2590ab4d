#include "Platform/Linux/Input/PosterOpeningEventTap.h"

#include <utility>

namespace tarn::input {

PosterOpeningEventTap::PosterOpeningEventTap(EventTap& tap, std::function<bool()> openPoster)
    : m_tap(tap)
    , m_openPoster(std::move(openPoster))
{
}

bool PosterOpeningEventTap::create(std::uint64_t eventMask, EventTapHandler& handler)
{
    return m_openPoster() && m_tap.create(eventMask, handler);
}

void PosterOpeningEventTap::enable()
{
    m_tap.enable();
}

void PosterOpeningEventTap::wake()
{
    m_tap.wake();
}

void PosterOpeningEventTap::destroy()
{
    m_tap.destroy();
}

} // namespace tarn::input
