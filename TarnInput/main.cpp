// The program: the studio window, the tray icon and the input engine over the Linux adapters.
// Here the Linux adapters are chosen and built, once each; StudioStartUp builds the program's
// services and windows from them. What the program does lives in the libraries.
//
// Order matters twice. Start-up: the stop signals are blocked before any thread starts, the
// virtual devices exist before the view model starts the engine, and a second copy hands its
// launch to the first before anything opens. Shutdown: leaving the event loop stops the engine
// (nothing stays grabbed or held); then the windows go, then the view model with its timers and
// hotkey, then the virtual devices, and the queued log lines are written last.

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>

#include "Platform/Linux/Desktop/EnvironmentLanguagePreferences.h"
#include "Platform/Linux/Desktop/FileManagerFolderRevealer.h"
#include "Platform/Linux/Desktop/GSettingsTitlebarDoubleClickPreference.h"
#include "Platform/Linux/Desktop/XdgAutostartLoginItem.h"
#include "Platform/Linux/Desktop/XdgOpenUrlOpener.h"
#include "Platform/Linux/Devices/DeviceNodePermissionBackend.h"
#include "Platform/Linux/Devices/SysfsPointerDeviceSource.h"
#include "Platform/Linux/Devices/UdevDeviceChangeNotices.h"
#include "Platform/Linux/Input/EvdevEventTap.h"
#include "Platform/Linux/Input/PosterOpeningEventTap.h"
#include "Platform/Linux/Services/JournaldSystemLog.h"
#include "Platform/Linux/Services/JsonFileDefaultsStore.h"
#include "Platform/Linux/Uinput/UinputEventPoster.h"
#include "Platform/Linux/Wayland/SessionWorkspace.h"
#include "Platform/Linux/X11/LibinputPointerPreferences.h"
#include "Platform/Linux/X11/PointerLocationCache.h"
#include "Platform/Linux/X11/X11HotkeyBackend.h"
#include "Platform/Linux/X11/X11OverlayWindowManager.h"
#include "Platform/Linux/X11/X11PointerLocationListener.h"
#include "Platform/Linux/X11/X11PointerPropertyBackend.h"
#include "Platform/Linux/X11/X11WindowAccess.h"
#include "TarnInput/App/SingleInstance.h"
#include "TarnInput/App/SingleInstanceFolder.h"
#include "TarnInput/App/StopSignals.h"
#include "TarnInput/App/Studio/SuperKeyNames.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/StudioStartUp.h"
#include "TarnInput/ViewModel/Adapters/QtMainThreadExecutor.h"
#include "TarnInput/ViewModel/Adapters/QtMainThreadTimers.h"
#include "TarnInput/ViewModel/Mailbox/EventFdWakeup.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Model/Settings/InputConfigStore.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Foundation/Identity/OperatingSystemInfo.h"
#include "TarnKit/Foundation/Logging/QueuedLogSink.h"
#include "TarnKit/Localization/TarnLocalizationStore.h"
#include "TarnKit/UI/Brand/TarnAppIcon.h"
#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace {

using namespace tarn;
using namespace tarn::input;

// The overlays share Qt's own X connection; none in a Wayland session.
std::unique_ptr<X11OverlayWindowManager> overlayWindowManager()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return X11OverlayWindowManager::sharingConnection(x11 != nullptr ? x11->connection() : nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    StopSignals::blockInEveryThread();
    QApplication application(argc, argv);
    const BuildInfo info = BuildInfo::current();
    QApplication::setApplicationName(QString::fromStdString(info.displayName.value_or("TarnInput")));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarninput"));
    // The studio window closes to the tray; only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(TarnAppIcon::icon(TarnAppIdentity::tarnInput));
    SuperKeyNames superKeyNames;
    QCoreApplication::installTranslator(&superKeyNames);
    TarnGlassPalette::apply(application, accentColor(TarnProductPalette::deepAbyss));
    TarnWheelFocusGuard wheelFocusGuard;
    application.installEventFilter(&wheelFocusGuard);

    // The log comes first: why this copy cannot keep to one running copy belongs in it.
    const SystemClock clock {};
    TarnAppLogger::Services logServices;
    logServices.systemLog = std::make_shared<JournaldSystemLog>();
    logServices.clock = &clock;
    logServices.folderRevealer = std::make_shared<FileManagerFolderRevealer>();
    TarnAppLogger logger("TarnInput", std::nullopt, TarnAppLogger::kDefaultMaxFileBytes,
        TarnAppLogger::kDefaultMaxRotatedFiles, {}, std::move(logServices));

    // What stands in the way of keeping to one running copy goes to the log and to the terminal.
    const auto report = [&logger](TarnLogLevel level, const std::string& line) {
        logger.log(level, "lifecycle", line);
        std::fprintf(stderr, "TarnInput: %s\n", line.c_str());
    };
    const std::string kUnguarded = "This copy runs without looking for another one.";
    QtMainThreadTimers timers;
    const auto instanceFolder = SingleInstanceFolder::choose();
    for (const auto& note : instanceFolder.notes) {
        report(TarnLogLevel::warn, note);
    }
    SingleInstance instance(QFile::decodeName(instanceFolder.path.c_str()), timers);
    switch (instance.claim()) {
    case SingleInstance::Role::handedOff:
        return 0;
    case SingleInstance::Role::unanswered:
        report(TarnLogLevel::error, "Already running but does not answer; not starting a second copy.");
        return 1;
    case SingleInstance::Role::unavailable:
        report(TarnLogLevel::error,
            instanceFolder.path.empty() ? kUnguarded
                                        : "No lock can be kept in " + instanceFolder.path.string() + ". " + kUnguarded);
        break;
    case SingleInstance::Role::primary:
        break;
    }

    // The engine logs from its input thread too: lines are queued and written by a thread of
    // their own, never on the input thread.
    QueuedLogSink engineLog(logger);
    const XdgPaths paths = XdgPaths::fromEnvironment();
    const auto defaults = std::make_shared<JsonFileDefaultsStore>(
        JsonFileDefaultsStore::fileForDomain(paths, info.identifier.value_or("com.harrowfen.tarninput")), clock);

    PointerLocationCache pointerLocation;
    X11PointerLocationListener pointerListener(pointerLocation, engineLog);
    EvdevEventTap evdevTap(pointerLocation, engineLog);
    UinputEventPoster poster;
    // The executor's own devices: the input thread never waits behind a macro or a smoothing frame.
    UinputEventPoster executorPoster;
    PosterOpeningEventTap tap(evdevTap, [&poster, &executorPoster] { return poster.open() && executorPoster.open(); });
    const auto workspace = SessionWorkspace::choose(engineLog);
    X11WindowAccess windowAccess(engineLog);
    ThreadEngineExecutor engineExecutor;
    X11PointerPropertyBackend pointerProperties;
    LibinputPointerPreferences pointerPreferences(pointerProperties, logger);
    SysfsPointerDeviceSource deviceSource;
    DeviceNodePermissionBackend permissionBackend;
    XdgAutostartLoginItem loginItem(paths, XdgAutostartLoginItem::currentExecutable());
    X11HotkeyBackend hotkeys;
    QtMainThreadExecutor mainThread;
    EventFdWakeup engineWakeup;
    UdevDeviceChangeNotices deviceChanges(mainThread);
    const auto overlayWindows = overlayWindowManager();
    const GSettingsTitlebarDoubleClickPreference doubleClickPreference;

    auto startUp = std::make_unique<StudioStartUp>(StudioPlatform {
        .logger = logger,
        .settingsFile = InputConfigStore::defaultFilePath(paths),
        .clock = clock,
        .engine = {tap, poster, *workspace, windowAccess, clock, engineExecutor, engineLog, &executorPoster},
        .pointerPreferences = pointerPreferences,
        .deviceSource = deviceSource,
        .permissionBackend = permissionBackend,
        .urlOpener = std::make_shared<XdgOpenUrlOpener>(),
        .loginItem = loginItem,
        .hotkeys = hotkeys,
        .mainThread = mainThread,
        .engineWakeup = engineWakeup,
        .timers = timers,
        .deviceChanges = deviceChanges,
        .overlayWindows = *overlayWindows,
        .defaults = defaults,
        .systemLanguages = std::make_shared<EnvironmentLanguagePreferences>(),
        // The program's one process-wide instance: tarnText reads it wherever a text is shown.
        .textStore = TarnLocalizationStore::shared(),
        .doubleClickPreference = &doubleClickPreference,
    });
    StudioApplication& studio = startUp->studio();
    QObject::connect(&instance, &SingleInstance::reopenRequested, &studio, &StudioApplication::reopen);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &studio, &StudioApplication::quit);

    studio.launch({info, std::nullopt, OperatingSystemInfo::current(), &logger});
    const int status = QApplication::exec();

    startUp.reset();
    poster.close();
    executorPoster.close();
    engineLog.flush();
    return status;
}
