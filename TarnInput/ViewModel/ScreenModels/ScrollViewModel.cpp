#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

#include <algorithm>

#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

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
    const auto trimmed = UnicodeText::trimmed(bundleID);
    const auto lowered = UnicodeText::lowercased(trimmed);
    const auto& excluded = m_studio.settings().smoothScrollExcludedBundles;
    if (trimmed.empty() || std::any_of(excluded.begin(), excluded.end(), [&](const auto& entry) {
            return UnicodeText::lowercased(entry) == lowered;
        })) {
        return;
    }
    m_studio.applySettingsChange(
        [&](InputSettings& settings) { settings.smoothScrollExcludedBundles.push_back(trimmed); });
    m_studio.showToast(tarnText("Excluded " + trimmed + " from smooth scroll.",
                           trimmed + " akıcı kaydırmadan hariç tutuldu.", m_studio.language()),
        false);
}

void ScrollViewModel::removeExclusion(std::string bundleID)
{
    m_studio.applySettingsChange(
        [&](InputSettings& settings) { std::erase(settings.smoothScrollExcludedBundles, bundleID); });
}

} // namespace tarn::input
