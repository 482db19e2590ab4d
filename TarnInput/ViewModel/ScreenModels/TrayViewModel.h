#pragma once

// The tray's view model, for the tray icon, its popover and the command menu: whether the engine
// runs, the device and profile the popover shows, the popover's quick switches and the menu's
// commands, each a typed operation. The context, the application in front and the operations must outlive it; main
// thread only.

#include <array>
#include <optional>
#include <string>

#include <QObject>

#include "TarnInput/ViewModel/Ports/FrontmostApp.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"
#include "TarnInput/ViewModel/Ports/TrayOperations.h"

namespace tarn::input {

// The features the popover turns on and off in one click.
enum class QuickSwitch { reverseMouseWheel, smoothScroll, doubleClickGuard, easyWindowDrag, buttonRemap, keyHUD };

inline constexpr std::array<QuickSwitch, 6> kAllQuickSwitches {QuickSwitch::reverseMouseWheel,
    QuickSwitch::smoothScroll, QuickSwitch::doubleClickGuard, QuickSwitch::easyWindowDrag, QuickSwitch::buttonRemap,
    QuickSwitch::keyHUD};

class TrayViewModel final : public QObject {
    Q_OBJECT

public:
    TrayViewModel(
        ScreenModelContext& context, FrontmostApp& frontmost, TrayOperations& operations, QObject* parent = nullptr);

    TarnLanguage language() const;
    bool isEngineEnabled() const;
    bool isTapActive() const;
    // The first device that is not built in; else the first device; absent when none is listed.
    std::optional<ConnectedPointerDevice> primaryExternalMouse() const;
    const std::string& activeFrontmostAppName() const;
    const std::optional<std::string>& activeProfileName() const;
    bool isOn(QuickSwitch which) const;

    void setOn(QuickSwitch which, bool on);
    void toggleEngine();
    void toggleKeyHUD();
    void resetToDefaults();

signals:
    void languageChanged();
    void settingsChanged();
    void isTapActiveChanged();
    void connectedDevicesChanged();
    void activeFrontmostAppNameChanged();
    void activeProfileNameChanged();

private:
    ScreenModelContext& m_context;
    FrontmostApp& m_frontmost;
    TrayOperations& m_operations;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
    Subscription m_tapChanges;
    Subscription m_deviceChanges;
    Subscription m_frontmostAppChanges;
    Subscription m_profileChanges;
};

} // namespace tarn::input
