#include "TarnKit/UI/AppMenu/TarnMenuElement.h"

#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/Pickers/TarnLanguagePickerState.h"

namespace tarn {

namespace {

constexpr std::string_view kCheckMark = "✓ ";

TarnMenuElement languageItem(std::function<std::string()> title, std::function<void()> action)
{
    return TarnMenuItem {std::move(title), {}, Qt::ControlModifier, {}, {}, false, std::move(action)};
}

std::string checked(bool isChosen, std::string label)
{
    return isChosen ? std::string(kCheckMark) + label : label;
}

} // namespace

TarnMenuElement TarnMenuElement::languageSubmenu(
    TarnLanguageSettings& settings, std::function<TarnLanguage()> current, std::function<void(TarnLanguage)> onSelect)
{
    auto items = [&settings, current, onSelect] {
        // The stored choice is read whenever a title is asked for, so a choice made elsewhere
        // (a picker in a window) shows here too.
        std::vector<TarnMenuElement> rows;
        rows.push_back(languageItem(
            [&settings, current] {
                const TarnLanguagePickerState state(settings);
                return checked(state.isFollowingSystem(), state.systemRowLabel(current()));
            },
            [&settings, onSelect] { TarnLanguagePickerState(settings).chooseSystem(onSelect); }));
        for (const TarnLanguage language : sortedTarnLanguages()) {
            rows.push_back(languageItem(
                [&settings, current, language] {
                    return checked(!settings.isFollowingSystem() && current() == language, displayName(language));
                },
                [&settings, onSelect, language] {
                    TarnLanguagePickerState(settings).chooseLanguage(language, onSelect);
                }));
        }
        return rows;
    };
    return TarnMenuSubmenu {[current] { return tarnText("Language", "Dil", current()); }, std::move(items)};
}

} // namespace tarn
