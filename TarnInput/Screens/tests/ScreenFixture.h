#pragma once

// What every screen test stands on: the studio's view model over fakes of every port (the
// harness), a count of the times the settings file was saved and a record of every toast shown.
// Saves are counted from the file system's own notices of the file being replaced, so the count
// is exact at any moment without waiting.

#include <string>
#include <vector>

#include <QColor>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

namespace tarn::input::testing {

struct RecordedToast {
    std::string message;
    bool isError = false;
    bool operator==(const RecordedToast&) const = default;
};

class ScreenFixture {
public:
    // Prepare the fakes (devices, running applications, a settings file) before start().
    ScreenFixture();

    // Builds the view model; saves and toasts are counted from here on.
    InputStudioViewModel& start();
    InputStudioViewModel& vm() { return harness.vm(); }
    void setLanguage(TarnLanguage language) { vm().setLanguage(language); }

    // Saves of the settings file since start() or the last forgetSaves().
    int saves();
    void forgetSaves();

    const std::vector<RecordedToast>& toasts() const { return m_toasts; }
    void forgetToasts() { m_toasts.clear(); }

    // The studio's accent, which the tab root hands every screen.
    static QColor accent();

    StudioHarness harness;

private:
    void drainFileNotices();

    UniqueFd m_notices;
    int m_saves = 0;
    std::vector<RecordedToast> m_toasts;
};

} // namespace tarn::input::testing
