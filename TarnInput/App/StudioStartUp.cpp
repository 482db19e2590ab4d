#include "TarnInput/App/StudioStartUp.h"

#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"

namespace tarn::input {

StudioStartUp::StudioStartUp(const StudioPlatform& platform, std::function<void()> leaveEventLoop)
    : m_languageSettings(platform.defaults, platform.systemLanguages, m_notifications, platform.textStore)
    , m_permissions(platform.permissionBackend, *platform.urlOpener)
    , m_feedback(feedbackServices(platform))
    , m_keyHUD(m_overlayClock, m_overlayScreens, platform.overlayWindows)
    , m_overlays(m_keyHUD)
    , m_viewModel(std::make_unique<InputStudioViewModel>(viewModelServices(platform)))
    , m_studio(std::make_unique<StudioApplication>(*m_viewModel, platform.logger,
          StudioKit {platform.logger, m_feedback, platform.doubleClickPreference}, std::move(leaveEventLoop)))
{
}

// Members go in reverse order: the windows, then the view model, then the services.
StudioStartUp::~StudioStartUp() = default;

TarnFeedbackService::Services StudioStartUp::feedbackServices(const StudioPlatform& platform)
{
    // The page opens in the desktop's browser; the rest keeps the service's own defaults.
    TarnFeedbackService::Services services;
    services.defaults = platform.defaults;
    services.opener = platform.urlOpener;
    return services;
}

InputStudioServices StudioStartUp::viewModelServices(const StudioPlatform& platform)
{
    return InputStudioServices {
        .logger = platform.logger,
        .settingsFile = platform.settingsFile,
        .clock = platform.clock,
        .engine = platform.engine,
        .pointerPreferences = platform.pointerPreferences,
        .deviceSource = platform.deviceSource,
        .permissions = m_permissions,
        .loginItem = platform.loginItem,
        .hotkeys = platform.hotkeys,
        .mainThread = platform.mainThread,
        .engineWakeup = platform.engineWakeup,
        .timers = platform.timers,
        .deviceChanges = platform.deviceChanges,
        .timeFormatter = m_timeFormatter,
        .pasteboard = m_pasteboard,
        .screens = m_screens,
        .overlays = m_overlays,
        .languageSettings = m_languageSettings,
    };
}

} // namespace tarn::input
