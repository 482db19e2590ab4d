#include "TarnKit/UI/AppMenu/TarnAppLauncher.h"

#include <QApplication>
#include <QMainWindow>

namespace tarn {

int tarnRunApplication(int& argc, char** argv, TarnAppMenuConfiguration configuration, TarnAppMenuServices services,
    const std::function<std::unique_ptr<QMainWindow>()>& makeMainWindow)
{
    QApplication application(argc, argv);
    // Declared before the window, so that it outlives the menu bar the window comes to own.
    TarnAppMenuController controller(std::move(configuration), std::move(services));
    const std::unique_ptr<QMainWindow> window = makeMainWindow();
    controller.install(*window);
    window->show();
    return QApplication::exec();
}

} // namespace tarn
