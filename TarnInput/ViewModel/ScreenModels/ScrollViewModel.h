#pragma once

// The Scroll screen's view model: the wheel's direction and modifiers, smooth scrolling with its
// speed and glide, and the applications smooth scrolling leaves alone, with one typed operation
// each. Every change goes through the studio's settings path. The studio state must outlive it;
// main thread only.

#include <string>
#include <vector>

#include <QObject>

#include "TarnInputCore/Model/Profiles/RunningApplication.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

class InputStudioViewModel;

class ScrollViewModel final : public QObject {
    Q_OBJECT

public:
    explicit ScrollViewModel(InputStudioViewModel& studio, QObject* parent = nullptr);

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
    InputStudioViewModel& m_studio;
};

} // namespace tarn::input
