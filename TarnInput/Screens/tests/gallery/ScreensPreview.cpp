// Pictures of every screen at the studio's default size, in English and Turkish, over the
// studio's ground, with sample devices and data, for looking at the look:
//   QT_QPA_PLATFORM=offscreen TarnInputScreensPreview <prefix>
// writes <prefix>-<screen>-<language>.png and, for the rest of a long screen scrolled to its end,
// <prefix>-<screen>-<language>-end.png. The studio as a whole is TarnInputStudioPreview's.

#include <cstdio>
#include <functional>
#include <memory>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QStackedLayout>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInput/Screens/GestureChordsAndDevicesView.h"
#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"
#include "TarnInput/Screens/InputSettingsView.h"
#include "TarnInput/Screens/KeyHUDConfigView.h"
#include "TarnInput/Screens/MouseButtonsView.h"
#include "TarnInput/Screens/Profiles/MacroStudioSectionView.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/ScreenOverViewModel.h"
#include "TarnInput/Screens/ScrollEngineView.h"
#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInput/ViewModel/MacroBuilderFormState.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace {

using namespace tarn;
using namespace tarn::input;
using testing::StudioHarness;

QColor accent()
{
    return accentColor(TarnProductPalette::deepAbyss);
}

void addSampleDevices(StudioHarness& harness)
{
    HIDDeviceProperties mouse;
    mouse.devicePath = "/sys/devices/mx";
    mouse.product = "MX Master 3S";
    mouse.manufacturer = "Logitech";
    mouse.vendorID = 0x046D;
    mouse.productID = 0xB034;
    mouse.transport = "Bluetooth Low Energy";
    mouse.serialNumber = "F8A1C93D22B7E0";
    mouse.versionNumber = 0x1204;
    mouse.reportIntervalMicroseconds = 1000;
    mouse.buttonUsages = std::vector<std::int64_t> {1, 2, 3, 4, 5};
    harness.devices.addDevice(mouse);
    harness.devices.setBatteries(
        {{.batteryPercent = 85, .serialNumber = {}, .product = {}, .vendorID = 0x046D, .productID = 0xB034}});
    HIDDeviceProperties touchpad;
    touchpad.devicePath = "/sys/devices/touchpad";
    touchpad.product = "SYNA2393:00 06CB:7A13 Touchpad";
    touchpad.transport = "I2C";
    touchpad.builtIn = true;
    harness.devices.addDevice(touchpad);
}

struct Screen {
    const char* name;
    // Builds the screen over the started view model, after preparing what it should show.
    std::function<QWidget*(StudioHarness&)> build;
};

std::vector<Screen> screens()
{
    return {
        {"hardware",
            [](StudioHarness& h) {
                return screenOverViewModel<DevicesAndDiagnosticsView>(
                    std::make_unique<HardwareViewModel>(h.vm(), h.vm(), h.vm()), accent());
            }},
        // The lab while a test runs, after some travel.
        {"hardware-calibrating",
            [](StudioHarness& h) {
                h.vm().toggleDPICalibration();
                h.slidePointer(3000, 30);
                return screenOverViewModel<DevicesAndDiagnosticsView>(
                    std::make_unique<HardwareViewModel>(h.vm(), h.vm(), h.vm()), accent());
            }},
        {"scroll",
            [](StudioHarness& h) {
                return screenOverViewModel<ScrollEngineView>(
                    std::make_unique<ScrollViewModel>(h.vm(), h.vm()), accent());
            }},
        {"buttons",
            [](StudioHarness& h) {
                ButtonsViewModel(h.vm(), h.vm(), h.vm())
                    .addRule("org.mozilla.firefox", "Firefox", MouseButtonKind::middle, MouseButtonAction::closeTab);
                return screenOverViewModel<MouseButtonsView>(
                    std::make_unique<ButtonsViewModel>(h.vm(), h.vm(), h.vm()), accent());
            }},
        // The macro section alone on a page, with a preset, a macro of the user's and a builder in use.
        {"macros",
            [](StudioHarness& h) {
                ProfilesViewModel(h.vm(), h.vm(), h.vm(), h.vm())
                    .addMacroPreset(MacroPresetLibrary::makePresets().at(0));
                auto* page = new ScreenPage;
                auto* section = screenOverViewModel<MacroStudioSectionView>(
                    std::make_unique<ProfilesViewModel>(h.vm(), h.vm(), h.vm(), h.vm()), accent());
                auto& form = section->form();
                form.setName("Copy & Search");
                form.setDescriptionText("Copies the selection and searches it");
                form.setTriggerButtonTag(4);
                form.addKeystrokeStep();
                form.addDelayStep();
                form.setTypeTextInput("a long snippet of text to type");
                form.addTypeTextStep();
                ProfilesViewModel(h.vm(), h.vm(), h.vm(), h.vm()).saveMacro(form.buildDraftMacro());
                form.setUseShift(true);
                form.addKeystrokeStep();
                form.setName("Draft");
                page->addSection(section);
                return page;
            }},
        {"gestures",
            [](StudioHarness& h) {
                return screenOverViewModel<GestureChordsAndDevicesView>(
                    std::make_unique<ButtonsViewModel>(h.vm(), h.vm(), h.vm()), accent());
            }},
        {"keyhud",
            [](StudioHarness& h) {
                // A few lines of engine activity, each a second apart.
                for (int press = 0; press < 3; ++press) {
                    h.engine.clock.advance(std::chrono::seconds(1));
                    TapEvent event;
                    event.buttonNumber = ButtonNumber::back;
                    event.type = TapEventType::otherMouseDown;
                    h.engine.tap.deliver(event);
                    event.type = TapEventType::otherMouseUp;
                    h.engine.tap.deliver(event);
                    h.runMainThread();
                }
                return screenOverViewModel<KeyHUDConfigView>(
                    std::make_unique<KeyHUDViewModel>(h.vm(), h.vm()), accent());
            }},
        {"settings",
            [](StudioHarness& h) {
                return screenOverViewModel<InputSettingsView>(
                    std::make_unique<SettingsViewModel>(h.vm(), h.vm()), accent());
            }},
        {"settings-no-permission",
            [](StudioHarness& h) {
                h.permission.setAccessibilityGranted(false);
                h.vm().refreshPermissionAndTap(false);
                return screenOverViewModel<InputSettingsView>(
                    std::make_unique<SettingsViewModel>(h.vm(), h.vm()), accent());
            }},
        {"profiles-empty",
            [](StudioHarness& h) {
                return screenOverViewModel<ProfilesAndMacrosView>(
                    std::make_unique<ProfilesViewModel>(h.vm(), h.vm(), h.vm(), h.vm()), accent());
            }},
        // Two profiles, the second in use for the application in front.
        {"profiles",
            [](StudioHarness& h) {
                ProfilesViewModel profiles(h.vm(), h.vm(), h.vm(), h.vm());
                profiles.addProfileTemplate(AppInputProfileEngine::builtInTemplates().at(1));
                profiles.addProfile("org.gimp.GIMP", "GIMP");
                auto profile = profiles.settings().appProfiles.at(1);
                profile.scrollSpeedMultiplierOverride = 1.35;
                profile.reverseMouseWheelOverride = true;
                profiles.updateProfile(profile);
                h.engine.workspace.activate("org.gimp.GIMP", "GIMP");
                h.runMainThread();
                return screenOverViewModel<ProfilesAndMacrosView>(
                    std::make_unique<ProfilesViewModel>(h.vm(), h.vm(), h.vm(), h.vm()), accent());
            }},
    };
}

bool save(QWidget& widget, const QString& path)
{
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The screen's top and, scrolled to its end, the rest of it, in one language.
bool render(const Screen& screen, TarnLanguage language, const QString& prefix)
{
    StudioHarness harness;
    addSampleDevices(harness);
    harness.engine.workspace.setRunning({{"org.mozilla.firefox", "Firefox"}, {"org.gimp.GIMP", "GIMP"}});
    auto& vm = harness.start();
    // Stored as the language menu stores it, so the menu shows the language and not the system row.
    vm.languageSettings().setCurrent(language);
    vm.setLanguage(language);
    TarnGroundBackground ground(TarnProductPalette::deepAbyss);
    auto* stack = new QStackedLayout(&ground);
    auto* scrolling = qobject_cast<QAbstractScrollArea*>(screen.build(harness));
    if (scrolling == nullptr) {
        std::fprintf(stderr, "%s is not a scrolling screen\n", screen.name);
        return false;
    }
    stack->addWidget(scrolling);
    ground.resize(1180, 760);
    ground.show();
    QApplication::processEvents();
    const QString stem = QStringLiteral("%1-%2-%3")
                             .arg(prefix, QLatin1String(screen.name), language == TarnLanguage::en ? "en" : "tr");
    bool saved = save(ground, stem + ".png");
    scrolling->verticalScrollBar()->setValue(scrolling->verticalScrollBar()->maximum());
    saved = save(ground, stem + "-end.png") && saved;
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    TarnGlassPalette::apply(application, accent());
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarninput-screens");
    bool saved = true;
    for (const auto& screen : screens()) {
        for (const auto language : {TarnLanguage::en, TarnLanguage::tr}) {
            saved = render(screen, language, prefix) && saved;
        }
    }
    return saved ? 0 : 1;
}
