#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"

namespace tarn::input {

KeyHUDViewModel::KeyHUDViewModel(ScreenModelContext& context, KeyHUDFeed& feed, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_feed(feed)
    , m_languageChanges(m_context.observeLanguage([this] { emit languageChanged(); }))
    , m_settingsChanges(m_context.observeSettings([this] { emit settingsChanged(); }))
    , m_eventChanges(m_feed.observeRecentEvents([this] { emit recentEventsChanged(); }))
{
}

TarnLanguage KeyHUDViewModel::language() const
{
    return m_context.language();
}

const InputSettings& KeyHUDViewModel::settings() const
{
    return m_context.settings();
}

const std::vector<std::string>& KeyHUDViewModel::recentEvents() const
{
    return m_feed.recentEvents();
}

void KeyHUDViewModel::setKeyHUDEnabled(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.keyHUDEnabled = enabled; });
}

void KeyHUDViewModel::setClickRippleEnabled(bool enabled)
{
    m_context.applySettingsChange([enabled](InputSettings& settings) { settings.clickRippleEnabled = enabled; });
}

void KeyHUDViewModel::setShortcutsOnly(bool shortcutsOnly)
{
    m_context.applySettingsChange(
        [shortcutsOnly](InputSettings& settings) { settings.keyHUDShortcutsOnly = shortcutsOnly; });
}

void KeyHUDViewModel::setHideInSecureFields(bool hide)
{
    m_context.applySettingsChange([hide](InputSettings& settings) { settings.keyHUDHideInSecureFields = hide; });
}

void KeyHUDViewModel::setPosition(KeyHUDPosition position)
{
    m_context.applySettingsChange([position](InputSettings& settings) { settings.keyHUDPosition = position; });
}

void KeyHUDViewModel::setDurationSeconds(double seconds)
{
    m_context.applySettingsChange([seconds](InputSettings& settings) { settings.keyHUDDurationSeconds = seconds; });
}

void KeyHUDViewModel::preview()
{
    m_feed.previewKeyHUD();
}

} // namespace tarn::input
