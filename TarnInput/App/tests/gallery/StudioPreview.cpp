// Pictures of the studio window and the tray popover in English and Turkish, over the view model
// with sample devices and no input permission (so the banner shows), for looking at the look:
//   QT_QPA_PLATFORM=offscreen TarnInputStudioPreview <prefix>
// writes <prefix>-studio-en.png, -studio-tr.png, -popover-en.png and -popover-tr.png.

#include <cstdio>

#include <QApplication>
#include <QImage>

#include "Platform/Fake/Foundation/FakePermissionBackend.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnInput/App/MainInputStudioView.h"
#include "TarnInput/App/MenuBarInputPopoverView.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/ViewModelTesting/StudioHarness.h"
#include "TarnKit/UI/TarnProductPalette.h"

namespace {

using namespace tarn;
using namespace tarn::input;

bool save(QWidget& widget, const QString& path)
{
    widget.show();
    QApplication::processEvents();
    const bool saved = widget.grab().toImage().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    widget.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarninput");
    testing::StudioHarness harness;
    harness.permission.setAccessibilityGranted(false);
    harness.addDevice("Wireless Mouse", 0x046D);
    harness.addDevice("Touchpad", 0, true);
    auto& vm = harness.start();
    FakePermissionBackend permissionBackend;
    RecordingUrlOpener opener;
    const TarnPermissionCenter permissions(permissionBackend, opener);

    bool saved = true;
    for (const auto& [language, code] : {std::pair {TarnLanguage::en, "en"}, std::pair {TarnLanguage::tr, "tr"}}) {
        vm.setLanguage(language);
        MainInputStudioView studio(vm, accentColor(TarnProductPalette::deepAbyss), permissions);
        studio.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
        saved = save(studio, prefix + "-studio-" + code + ".png") && saved;
        MenuBarInputPopoverView popover(
            vm, [] {}, [] {});
        popover.adjustSize();
        saved = save(popover, prefix + "-popover-" + code + ".png") && saved;
    }
    return saved ? 0 : 1;
}
