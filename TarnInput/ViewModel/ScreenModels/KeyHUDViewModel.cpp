#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"

#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

KeyHUDViewModel::KeyHUDViewModel(InputStudioViewModel& studio, QObject* parent)
    : QObject(parent)
    , m_studio(studio)
{
    connect(&m_studio, &InputStudioViewModel::languageChanged, this, &KeyHUDViewModel::languageChanged);
    connect(&m_studio, &InputStudioViewModel::settingsChanged, this, &KeyHUDViewModel::settingsChanged);
    connect(&m_studio, &InputStudioViewModel::recentEventsChanged, this, &KeyHUDViewModel::recentEventsChanged);
}

TarnLanguage KeyHUDViewModel::language() const
{
    return m_studio.language();
}

const InputSettings& KeyHUDViewModel::settings() const
{
    return m_studio.settings();
}

const std::vector<std::string>& KeyHUDViewModel::recentEvents() const
{
    return m_studio.recentEvents();
}

void KeyHUDViewModel::setKeyHUDEnabled(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.keyHUDEnabled = enabled; });
}

void KeyHUDViewModel::setClickRippleEnabled(bool enabled)
{
    m_studio.applySettingsChange([enabled](InputSettings& settings) { settings.clickRippleEnabled = enabled; });
}

void KeyHUDViewModel::setShortcutsOnly(bool shortcutsOnly)
{
    m_studio.applySettingsChange(
        [shortcutsOnly](InputSettings& settings) { settings.keyHUDShortcutsOnly = shortcutsOnly; });
}

void KeyHUDViewModel::setHideInSecureFields(bool hide)
{
    m_studio.applySettingsChange([hide](InputSettings& settings) { settings.keyHUDHideInSecureFields = hide; });
}

void KeyHUDViewModel::setPosition(KeyHUDPosition position)
{
    m_studio.applySettingsChange([position](InputSettings& settings) { settings.keyHUDPosition = position; });
}

void KeyHUDViewModel::setDurationSeconds(double seconds)
{
    m_studio.applySettingsChange([seconds](InputSettings& settings) { settings.keyHUDDurationSeconds = seconds; });
}

void KeyHUDViewModel::preview()
{
    m_studio.previewKeyHUD();
}

} // namespace tarn::input
