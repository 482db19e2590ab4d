#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

#include <utility>

#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

ScrollViewModel::ScrollViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &ScrollViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &ScrollViewModel::settingsChanged);
}

TarnLanguage ScrollViewModel::language() const
{
    return m_studio.language();
}

const InputSettings& ScrollViewModel::settings() const
{
    return m_studio.settings();
}

std::vector<RunningApplication> ScrollViewModel::runningDesktopApps() const
{
    return m_studio.runningDesktopApps();
}

void ScrollViewModel::setReverseMouseWheel(bool reverse)
{
    m_studio.applySettingsChange([reverse](InputSettings& settings) { settings.reverseMouseWheel = reverse; });
}

void ScrollViewModel::setReverseTrackpad(bool reverse)
{
    m_studio.applySettingsChange([reverse](InputSettings& settings) { settings.reverseTrackpad = reverse; });
}

void ScrollViewModel::setShiftScrollHorizontal(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.shiftScrollHorizontal = enabled; });
}

void ScrollViewModel::setOptionScrollZoom(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.optionScrollZoomEnabled = enabled; });
}

void ScrollViewModel::setSmoothScroll(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.smoothScrollEnabled = enabled; });
}

void ScrollViewModel::setSpeedMultiplier(double multiplier)
{
    m_studio.applySettingsChange(
        [multiplier](InputSettings& settings) { settings.scrollSpeedMultiplier = multiplier; });
}

void ScrollViewModel::setGlide(double decayRate)
{
    m_studio.applySettingsChange([decayRate](InputSettings& settings) { settings.smoothDecayRate = decayRate; });
}

void ScrollViewModel::addExclusion(std::string bundleID)
{
    m_studio.addScrollExclusion(std::move(bundleID));
}

void ScrollViewModel::removeExclusion(std::string bundleID)
{
    m_studio.removeScrollExclusion(std::move(bundleID));
}

} // namespace tarn::input
