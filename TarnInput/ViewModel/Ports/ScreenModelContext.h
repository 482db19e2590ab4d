#pragma once

// What a screen's view model needs from the studio and nothing more: the settings and the one
// path that changes them (engine, file and profile follow), the interface language, and the
// toast. Observers run on the main thread after each change; an observer stays registered while
// its subscription lives. Main thread only.

#include <functional>
#include <string>

#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

class ScreenModelContext {
public:
    virtual ~ScreenModelContext() = default;

    virtual const InputSettings& settings() const = 0;
    virtual void applySettingsChange(const std::function<void(InputSettings&)>& edit) = 0;
    virtual TarnLanguage language() const = 0;
    virtual void showToast(const std::string& message, bool isError) = 0;

    virtual Subscription observeSettings(std::function<void()> observer) = 0;
    virtual Subscription observeLanguage(std::function<void()> observer) = 0;
};

} // namespace tarn::input
