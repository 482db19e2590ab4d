// Pictures of everything a user sees, in English, Turkish and Arabic (right to left), over the view
// model with sample devices and no input permission (so the banner shows), for looking at the look:
//   QT_QPA_PLATFORM=offscreen TarnInputStudioPreview <prefix>
// writes <prefix>-<tab>-<language>.png for each of the seven tabs, and -popover-, -sheet-,
// -permission- and -hud- pictures in each language.

#include <cstdio>

#include <QApplication>
#include <QImage>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"
#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"

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

struct Tab {
    InputStudioTab tab;
    const char* name;
};

constexpr Tab kTabs[] = {{InputStudioTab::hardware, "hardware"}, {InputStudioTab::scroll, "scroll"},
    {InputStudioTab::buttons, "buttons"}, {InputStudioTab::profiles, "profiles"},
    {InputStudioTab::gestures, "gestures"}, {InputStudioTab::keyHUD, "keyhud"}, {InputStudioTab::settings, "settings"}};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QColor accent = accentColor(TarnProductPalette::deepAbyss);
    TarnGlassPalette::apply(application, accent);
    TarnWheelFocusGuard wheelFocusGuard;
    application.installEventFilter(&wheelFocusGuard);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarninput");
    testing::StudioHarness harness;
    harness.permission.setAccessibilityGranted(false);
    harness.addDevice("Wireless Mouse", 0x046D);
    harness.addDevice("Touchpad", 0, true);
    auto& vm = harness.start();
    // The sheet's log is the program's own; its feedback buttons open nothing here.
    TarnAppLogger logger(
        "TarnInput", std::nullopt, TarnAppLogger::kDefaultMaxFileBytes, TarnAppLogger::kDefaultMaxRotatedFiles, {});
    const TarnFeedbackService feedback(TarnFeedbackService::Services {});
    const StudioKit kit {logger, feedback};

    bool saved = true;
    const std::pair<TarnLanguage, const char*> languages[]
        = {{TarnLanguage::en, "en"}, {TarnLanguage::tr, "tr"}, {TarnLanguage::ar, "ar"}};
    for (const auto& [language, code] : languages) {
        vm.setLanguage(language);
        QGuiApplication::setLayoutDirection(
            layoutDirection(language) == TarnLayoutDirection::rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        const QString suffix = QStringLiteral("-%1.png").arg(QLatin1String(code));
        MainInputStudioView studio(vm, accent, kit);
        studio.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
        for (const auto& tab : kTabs) {
            vm.setSelectedTab(tab.tab);
            saved = save(studio, prefix + "-" + tab.name + suffix) && saved;
        }
        studio.show();
        if (auto* badge = studio.findChild<TarnVersionBadgeButton*>()) {
            badge->presentSheet();
            QApplication::processEvents();
            if (QWidget* sheet = badge->sheetView() != nullptr ? badge->sheetView()->window() : nullptr) {
                sheet->resize(sheet->minimumSize().expandedTo(QSize(640, 560)));
                saved = save(*sheet, prefix + "-sheet" + suffix) && saved;
                sheet->close();
            }
        }
        PermissionStepsDialog steps(language, false, "/usr/share/tarninput/70-tarninput.rules");
        steps.setAttribute(Qt::WA_DeleteOnClose, false);
        steps.adjustSize();
        saved = save(steps, prefix + "-permission" + suffix) && saved;
        studio.hide();

        TrayViewModel tray(vm, vm, vm);
        MenuBarInputPopoverView popover(
            tray, [] {}, [] {});
        popover.adjustSize();
        saved = save(popover, prefix + "-popover" + suffix) && saved;

        KeyHUDPillView hud(accent);
        hud.setTokens({{Uuid::random(), "Ctrl+C", true, {}}, {Uuid::random(), "hello", false, {}}});
        hud.resize(520, 120);
        saved = save(hud, prefix + "-hud" + suffix) && saved;
    }
    return saved ? 0 : 1;
}
