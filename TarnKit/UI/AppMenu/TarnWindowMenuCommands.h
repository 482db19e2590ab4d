#pragma once

// What the application and Window menus do with the application's own windows: the windows the
// Window menu lists (shown or minimised windows and dialogs with a title, by title), minimising
// or closing the active one, raising them all, hiding the application (minimising every listed
// window: desktops have no hidden applications) and bringing one forward.

#include <vector>

#include <QWidget>

namespace tarn {

enum class TarnWindowCommand { minimize, closeWindow, bringAllToFront, hideApplication, quit };

class TarnWindowMenuCommands {
public:
    TarnWindowMenuCommands() = delete;

    static std::vector<QWidget*> listedWindows();
    static bool canPerform(TarnWindowCommand command);
    static void perform(TarnWindowCommand command);
    // Restores the window when minimised, raises it and gives it the keyboard.
    static void bringForward(QWidget& window);
};

} // namespace tarn
