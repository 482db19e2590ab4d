#pragma once

// The application in front as the engine last resolved it: its id and name, the profile that
// applies and the settings in effect. Observers run on the main thread after each change; an
// observer stays registered while its subscription lives. Main thread only.

#include <functional>
#include <optional>
#include <string>

#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class FrontmostApp {
public:
    virtual ~FrontmostApp() = default;

    virtual const std::optional<std::string>& activeFrontmostBundleID() const = 0;
    virtual Subscription observeActiveFrontmostBundleID(std::function<void()> observer) = 0;
    virtual const std::string& activeFrontmostAppName() const = 0;
    virtual Subscription observeActiveFrontmostAppName(std::function<void()> observer) = 0;
    virtual const std::optional<std::string>& activeProfileName() const = 0;
    virtual Subscription observeActiveProfileName(std::function<void()> observer) = 0;
    virtual const EffectiveInputResolution& activeResolution() const = 0;
    virtual Subscription observeActiveResolution(std::function<void()> observer) = 0;
};

} // namespace tarn::input
