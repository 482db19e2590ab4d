#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

#include <algorithm>

#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn::input {

ScrollViewModel::ScrollViewModel(ScreenModelContext& context, const RunningAppsSource& apps, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_apps(apps)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
{
}

TarnLanguage ScrollViewModel::language() const
{
    return m_context.language();
}

const InputSettings& ScrollViewModel::settings() const
{
    return m_context.settings();
}

std::vector<RunningApplication> ScrollViewModel::runningDesktopApps() const
{
    return m_apps.runningDesktopApps();
}

void ScrollViewModel::setReverseMouseWheel(bool reverse)
{
    m_context.applySettingsChange([reverse](InputSettings& settings) { settings.reverseMouseWheel = reverse; });
}

void ScrollViewModel::setReverseTrackpad(bool reverse)
{
    m_context.applySettingsChange([reverse](InputSettings& settings) { settings.reverseTrackpad = reverse; });
}

void ScrollViewModel::setShiftScrollHorizontal(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.shiftScrollHorizontal = enabled; });
}

void ScrollViewModel::setOptionScrollZoom(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.optionScrollZoomEnabled = enabled; });
}

void ScrollViewModel::setSmoothScroll(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.smoothScrollEnabled = enabled; });
}

void ScrollViewModel::setSpeedMultiplier(double multiplier)
{
    m_context.applySettingsChange(
        [multiplier](InputSettings& settings) { settings.scrollSpeedMultiplier = multiplier; });
}

void ScrollViewModel::setGlide(double decayRate)
{
    m_context.applySettingsChange([decayRate](InputSettings& settings) { settings.smoothDecayRate = decayRate; });
}

void ScrollViewModel::addExclusion(std::string bundleID)
{
    const auto trimmed = UnicodeText::trimmed(bundleID);
    const auto lowered = UnicodeText::lowercased(trimmed);
    const auto& excluded = m_context.settings().smoothScrollExcludedBundles;
    if (trimmed.empty() || std::any_of(excluded.begin(), excluded.end(), [&](const auto& entry) {
            return UnicodeText::lowercased(entry) == lowered;
        })) {
        return;
    }
    m_context.applySettingsChange(
        [&](InputSettings& settings) { settings.smoothScrollExcludedBundles.push_back(trimmed); });
    m_context.showToast(tarnText("Excluded " + trimmed + " from smooth scroll.",
                            trimmed + " akıcı kaydırmadan hariç tutuldu.", m_context.language()),
        false);
}

void ScrollViewModel::removeExclusion(std::string bundleID)
{
    m_context.applySettingsChange(
        [&](InputSettings& settings) { std::erase(settings.smoothScrollExcludedBundles, bundleID); });
}

} // namespace tarn::input
