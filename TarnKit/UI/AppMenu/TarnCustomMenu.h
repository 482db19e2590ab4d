#pragma once

// A top-level menu of the application's own, between Edit and Window.

#include <functional>
#include <string>
#include <vector>

#include "TarnKit/UI/AppMenu/TarnMenuElement.h"

namespace tarn {

struct TarnCustomMenu {
    // A title asked again whenever the menu opens or the language changes.
    TarnCustomMenu(std::function<std::string()> title, std::vector<TarnMenuElement> elements)
        : title(std::move(title))
        , elements(std::move(elements))
    {
    }
    TarnCustomMenu(std::string fixedTitle, std::vector<TarnMenuElement> elements)
        : title([fixedTitle = std::move(fixedTitle)] { return fixedTitle; })
        , elements(std::move(elements))
    {
    }

    std::function<std::string()> title;
    std::vector<TarnMenuElement> elements;
};

} // namespace tarn
