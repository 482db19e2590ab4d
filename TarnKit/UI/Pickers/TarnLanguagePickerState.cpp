#include "TarnKit/UI/Pickers/TarnLanguagePickerState.h"

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn {

TarnLanguagePickerState::TarnLanguagePickerState(TarnLanguageSettings& settings)
    : m_settings(settings)
    , m_isFollowingSystem(settings.isFollowingSystem())
{
}

bool TarnLanguagePickerState::syncFromDefaults()
{
    const bool following = m_settings.isFollowingSystem();
    if (following == m_isFollowingSystem) {
        return false;
    }
    m_isFollowingSystem = following;
    return true;
}

TarnLanguageSelection TarnLanguagePickerState::selection(TarnLanguage ownerLanguage) const
{
    return m_isFollowingSystem ? TarnLanguageSelection::system()
                               : TarnLanguageSelection::explicitLanguage(ownerLanguage);
}

std::string TarnLanguagePickerState::systemRowLabel(TarnLanguage interfaceLanguage) const
{
    return tarnText("System Language", "Sistem Dili", interfaceLanguage) + " ("
        + std::string(nativeName(m_settings.systemResolved())) + ")";
}

void TarnLanguagePickerState::chooseSystem(const OnSelect& onSelect)
{
    m_isFollowingSystem = true;
    m_settings.applyFollowSystem([this, &onSelect] {
        if (onSelect) {
            onSelect(m_settings.systemResolved());
        }
    });
}

void TarnLanguagePickerState::chooseLanguage(TarnLanguage language, const OnSelect& onSelect)
{
    m_settings.setCurrent(language);
    m_isFollowingSystem = false;
    if (onSelect) {
        onSelect(language);
    }
}

void TarnLanguagePickerState::chooseCode(const std::string& code, const OnSelect& onSelect)
{
    if (code == "system") {
        chooseSystem(onSelect);
    } else if (const auto picked = tarnLanguageFromRawValue(code)) {
        chooseLanguage(*picked, onSelect);
    }
}

} // namespace tarn
