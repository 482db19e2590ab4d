#pragma once

// One entry of a menu described by its owner: an item, a divider or a submenu, each with
// closures that the menu controller calls (on the interface thread, as often as it needs)
// whenever a menu opens or a key equivalent is about to fire. Key equivalents are one character
// ("n", ",") or a key name Qt knows ("Delete", "F5"); Ctrl stands where other desktops use
// Command.

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include <Qt>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnLanguageSettings;
class TarnMenuElement;

struct TarnMenuItem {
    std::function<std::string()> title {};
    // Empty for none; the modifiers apply only with a key.
    std::string keyEquivalent {};
    Qt::KeyboardModifiers modifiers {};
    // Empty: always enabled.
    std::function<bool()> isEnabled {};
    // Empty: never hidden. A hidden item is also disabled.
    std::function<bool()> isHidden {};
    // Disabled while a text field has the keyboard, so that the field keeps the key for itself.
    bool skipWhenEditingText = false;
    std::function<void()> action {};
};

struct TarnMenuDivider {
    std::function<bool()> isHidden {};
};

// Its items are built again each time it opens.
struct TarnMenuSubmenu {
    std::function<std::string()> title;
    std::function<std::vector<TarnMenuElement>()> items;
};

class TarnMenuElement {
public:
    using Value = std::variant<TarnMenuItem, TarnMenuDivider, TarnMenuSubmenu>;

    TarnMenuElement(TarnMenuItem item)
        : m_value(std::move(item))
    {
    }
    TarnMenuElement(TarnMenuDivider divider)
        : m_value(std::move(divider))
    {
    }
    TarnMenuElement(TarnMenuSubmenu submenu)
        : m_value(std::move(submenu))
    {
    }

    const Value& value() const { return m_value; }

    // "Language" / "Dil" in `current()`: first "System Language (<native name of the system's
    // language>)", then every language by its English name; "✓ " marks the choice. Choosing
    // stores it in `settings` first and then hands the language to `onSelect`; choosing the
    // system row keeps "system" stored even when `onSelect` sets the language it is given.
    static TarnMenuElement languageSubmenu(TarnLanguageSettings& settings, std::function<TarnLanguage()> current,
        std::function<void(TarnLanguage)> onSelect);

private:
    Value m_value;
};

} // namespace tarn
