#pragma once

// The Scroll screen's view model: the wheel's direction and modifiers, smooth scrolling with its
// speed and glide, and the applications smooth scrolling leaves alone, with one typed operation
// each. Every change goes through the settings path it is given; the context and the application
// source must outlive it. Main thread only.

#include <string>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/Ports/RunningAppsSource.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"

namespace tarn::input {

class ScrollViewModel final : public QObject {
    Q_OBJECT

public:
    ScrollViewModel(ScreenModelContext& context, const RunningAppsSource& apps, QObject* parent = nullptr);

    TarnLanguage language() const;
    const InputSettings& settings() const;
    // Running applications with an id and a name, sorted by name in the interface language.
    std::vector<RunningApplication> runningDesktopApps() const;

    void setReverseMouseWheel(bool reverse);
    // Also turns the desktop's touchpad scrolling direction over.
    void setReverseTrackpad(bool reverse);
    void setShiftScrollHorizontal(bool enabled);
    void setOptionScrollZoom(bool enabled);
    void setSmoothScroll(bool enabled);
    // Stored as given: the slider holds its own range.
    void setSpeedMultiplier(double multiplier);
    void setGlide(double decayRate);
    // A newly typed id is trimmed; one already listed (in any case) is not added again.
    void addExclusion(std::string bundleID);
    // Removes the entries spelled exactly so.
    void removeExclusion(std::string bundleID);

signals:
    void languageChanged();
    void settingsChanged();

private:
    ScreenModelContext& m_context;
    const RunningAppsSource& m_apps;
    Subscription m_languageChanges;
    Subscription m_settingsChanges;
};

} // namespace tarn::input
