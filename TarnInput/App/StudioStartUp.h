#pragma once

// The program's start-up: from the desktop's adapters it builds every service once (the
// interface language, the permission center, the feedback service, the overlays, the view model)
// and the studio's windows, and hands each the services it uses. Nothing it builds reaches for a
// process-wide instance but the text store: tarnText, called wherever the program shows a text,
// has no store parameter and reads TarnLocalizationStore::shared(), so main.cpp hands that same
// store in (StudioPlatform::textStore) for the interface language to load its pack into.
//
// Build it on the main thread once the application object exists; destroying it closes the
// windows and then stops the view model (its engine, timers and hotkey), before any adapter of
// the platform goes.

#include <functional>
#include <memory>

#include <QCoreApplication>

#include "TarnInput/App/QtDesktopAdapters.h"
#include "TarnInput/App/StudioPlatform.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDOverlayController.h"
#include "TarnInput/Overlays/QtOverlayClock.h"
#include "TarnInput/Overlays/QtOverlayScreens.h"
#include "TarnInput/ViewModel/Adapters/IcuTimeFormatter.h"
#include "TarnInput/ViewModel/InputStudioServices.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Desktop/TarnPermissionCenter.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn::input {

class InputStudioViewModel;
class StudioApplication;

class StudioStartUp {
public:
    // `leaveEventLoop` ends the program's event loop (tests, which run no loop, record it instead).
    explicit StudioStartUp(
        const StudioPlatform& platform, std::function<void()> leaveEventLoop = [] { QCoreApplication::exit(0); });
    ~StudioStartUp();
    StudioStartUp(const StudioStartUp&) = delete;
    StudioStartUp& operator=(const StudioStartUp&) = delete;

    StudioApplication& studio() const { return *m_studio; }
    InputStudioViewModel& viewModel() const { return *m_viewModel; }

private:
    // The members it hands out are built before the view model.
    InputStudioServices viewModelServices(const StudioPlatform& platform);
    static TarnFeedbackService::Services feedbackServices(const StudioPlatform& platform);

    NotificationCenter m_notifications;
    TarnLanguageSettings m_languageSettings;
    const TarnPermissionCenter m_permissions;
    const TarnFeedbackService m_feedback;
    const IcuTimeFormatter m_timeFormatter;
    QtClipboardPasteboard m_pasteboard;
    const QtCursorScreens m_screens;
    QtOverlayClock m_overlayClock;
    QtOverlayScreens m_overlayScreens;
    KeyHUDOverlayController m_keyHUD;
    KeyHUDOverlayPort m_overlays;
    // The windows go before the view model they read.
    std::unique_ptr<InputStudioViewModel> m_viewModel;
    std::unique_ptr<StudioApplication> m_studio;
};

} // namespace tarn::input
