#pragma once

// The view model of the Buttons and Gestures screens: the buttons' global actions, the
// per-application rules, the gesture chords and the device list beside them, with one typed
// operation each. Every change goes through the studio's settings path. The studio state must
// outlive it; main thread only.

#include <string>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/Ports/DeviceList.h"
#include "TarnInput/ViewModel/Ports/RunningAppsSource.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"
#include "TarnInputCore/Model/Pointer/GestureDirection.h"
#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"

namespace tarn::input {

class ButtonsViewModel final : public QObject {
    Q_OBJECT

public:
    ButtonsViewModel(
        ScreenModelContext& context, DeviceList& devices, const RunningAppsSource& apps, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    const std::vector<ConnectedPointerDevice>& connectedDevices() const;
    // Running applications with an id and a name, sorted by name in the interface language.
    std::vector<RunningApplication> runningDesktopApps() const;

    void setButtonRemap(bool enabled);
    void setGlobalAction(MouseButtonKind button, MouseButtonAction action);
    // A newly typed id and name are trimmed; a second rule for the same application and button
    // sits beside the first.
    void addRule(std::string bundleID, std::string appName, MouseButtonKind button, MouseButtonAction action);
    // Rules are found by their identity: a toggle changes the first match, a removal every match.
    // Rules are taken by value: the change itself may rebuild the list they came from.
    void toggleRule(AppButtonRule rule);
    void removeRule(AppButtonRule rule);
    void setGestureChords(bool enabled);
    void setGestureTrigger(MouseButtonKind button);
    void setGestureAction(GestureDirection direction, MouseButtonAction action);
    // Stored as given: the slider holds its own range.
    void setGestureThreshold(double points);
    // Lists the devices again without a toast; a changed list is published and logged.
    void rescanDevices();

signals:
    void languageChanged();
    void settingsChanged();
    void connectedDevicesChanged();

private:
    ScreenModelContext& m_context;
    DeviceList& m_devices;
    const RunningAppsSource& m_apps;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
    Subscription m_deviceChanges;
};

} // namespace tarn::input
