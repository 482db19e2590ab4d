#include "TarnKit/Localization/TarnLanguageSettings.h"

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

bool isSystemCode(std::string_view code)
{
    return UnicodeText::lowercased(code) == kTarnLanguageSystemPreferenceCode;
}

} // namespace

TarnLanguageSettings::TarnLanguageSettings(std::shared_ptr<DefaultsStore> defaults,
    std::shared_ptr<const SystemLanguagePreferences> systemPreferences, NotificationCenter& notifications,
    TarnLocalizationStore& store)
    : m_ports {std::move(defaults), std::move(systemPreferences)}
    , m_notifications(notifications)
    , m_store(store)
{
}

TarnLanguageSettings& TarnLanguageSettings::shared()
{
    static TarnLanguageSettings settings(nullptr, nullptr);
    return settings;
}

void TarnLanguageSettings::configure(
    std::shared_ptr<DefaultsStore> defaults, std::shared_ptr<const SystemLanguagePreferences> systemPreferences)
{
    std::lock_guard lock(m_portsLock);
    m_ports = Ports {std::move(defaults), std::move(systemPreferences)};
}

TarnLanguageSettings::Ports TarnLanguageSettings::ports() const
{
    std::lock_guard lock(m_portsLock);
    return m_ports;
}

std::string TarnLanguageSettings::storedPreferenceCode() const
{
    const auto defaults = ports().defaults;
    if (!defaults) {
        return std::string(kTarnLanguageSystemPreferenceCode);
    }
    const auto stored = defaults->stringValue(kTarnLanguageDefaultsKey);
    std::string code = stored ? UnicodeText::trimmed(*stored) : std::string();
    return code.empty() ? std::string(kTarnLanguageSystemPreferenceCode) : code;
}

bool TarnLanguageSettings::isFollowingSystem() const
{
    return isSystemCode(storedPreferenceCode());
}

TarnLanguage TarnLanguageSettings::systemResolved() const
{
    const auto preferences = ports().systemPreferences;
    if (!preferences) {
        return TarnLanguage::en;
    }
    const auto tags = preferences->preferredLanguages();
    return resolveTarnLanguage(tags);
}

TarnLanguage TarnLanguageSettings::current() const
{
    const std::string code = storedPreferenceCode();
    if (!isSystemCode(code)) {
        if (auto language = matchTarnLanguage(code)) {
            return *language;
        }
    }
    return systemResolved();
}

TarnLanguageSelection TarnLanguageSettings::currentSelection() const
{
    if (isFollowingSystem()) {
        return TarnLanguageSelection::system();
    }
    return TarnLanguageSelection::explicitLanguage(current());
}

void TarnLanguageSettings::setCurrent(TarnLanguage language)
{
    if (!m_guard.isSuppressing()) {
        if (const auto defaults = ports().defaults) {
            // A refused write keeps the previous choice on disk; the language still changes now.
            (void)defaults->setValue(kTarnLanguageDefaultsKey, std::string(rawValue(language)));
        }
    }
    m_store.preloadIfNeeded(language);
    announce(language);
}

void TarnLanguageSettings::setFollowSystem()
{
    if (const auto defaults = ports().defaults) {
        (void)defaults->setValue(kTarnLanguageDefaultsKey, std::string(kTarnLanguageSystemPreferenceCode));
    }
    const TarnLanguage resolved = systemResolved();
    m_store.preloadIfNeeded(resolved);
    announce(resolved);
}

void TarnLanguageSettings::applyFollowSystem(const std::function<void()>& body)
{
    setFollowSystem();
    TarnLanguagePersistenceGuard::Scope suppression(m_guard);
    if (body) {
        body();
    }
}

TarnLanguage TarnLanguageSettings::decode(const nlohmann::json& value) const
{
    return tarnLanguageFromJson(value, systemResolved());
}

Subscription TarnLanguageSettings::observeChanges(std::function<void(TarnLanguage)> handler)
{
    return m_notifications.observe(std::string(kTarnLanguageDidChangeNotification),
        [handler = std::move(handler)](const Notification& notification) {
            if (auto language = tarnLanguageFromNotification(notification)) {
                handler(*language);
            }
        });
}

void TarnLanguageSettings::announce(TarnLanguage language)
{
    m_notifications.post(kTarnLanguageDidChangeNotification, {{"language", std::string(rawValue(language))}});
}

std::optional<TarnLanguage> tarnLanguageFromNotification(const Notification& notification)
{
    if (notification.name != kTarnLanguageDidChangeNotification || !notification.userInfo.is_object()) {
        return std::nullopt;
    }
    const auto found = notification.userInfo.find("language");
    if (found == notification.userInfo.end() || !found->is_string()) {
        return std::nullopt;
    }
    return tarnLanguageFromRawValue(found->get_ref<const std::string&>());
}

} // namespace tarn
