#pragma once

// The desktop's running applications, as a screen offers them to pick from. Main thread only.

#include <vector>

#include "TarnInputCore/Model/Profiles/RunningApplication.h"

namespace tarn::input {

class RunningAppsSource {
public:
    virtual ~RunningAppsSource() = default;

    // Running applications with an id and a name, sorted by name in the interface language.
    virtual std::vector<RunningApplication> runningDesktopApps() const = 0;
};

} // namespace tarn::input
