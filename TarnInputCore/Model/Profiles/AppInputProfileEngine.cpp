#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

#include <optional>
#include <utility>

#include "TarnInputCore/Model/Profiles/ApplicationId.h"
#include "TarnInputCore/Model/Profiles/ButtonActionResolver.h"
#include "TarnInputCore/Model/Profiles/ScrollExclusionMatcher.h"

namespace tarn::input {

namespace {

const AppInputProfile* matchProfile(
    const std::optional<ApplicationId>& frontmost, const std::vector<AppInputProfile>& profiles)
{
    if (!frontmost || frontmost->trimmedLowercased().empty()) {
        return nullptr;
    }
    // The first enabled profile wins; later ones for the same application are never used.
    for (const auto& profile : profiles) {
        if (profile.isEnabled && frontmost->isNamedByTrimmed(profile.bundleIdentifier)) {
            return &profile;
        }
    }
    return nullptr;
}

AppInputProfile makeTemplate(std::string appName, std::string bundleIdentifier,
    std::optional<bool> reverseMouseWheelOverride, bool smoothScrollOverride, double scrollSpeedMultiplierOverride,
    MouseButtonAction middle, MouseButtonAction sideBack, MouseButtonAction sideForward)
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = std::move(bundleIdentifier);
    profile.appName = std::move(appName);
    profile.isEnabled = true;
    profile.reverseMouseWheelOverride = reverseMouseWheelOverride;
    profile.smoothScrollOverride = smoothScrollOverride;
    profile.scrollSpeedMultiplierOverride = scrollSpeedMultiplierOverride;
    profile.buttonActionOverrides = {
        {rawValue(MouseButtonKind::middle), middle},
        {rawValue(MouseButtonKind::sideBack), sideBack},
        {rawValue(MouseButtonKind::sideForward), sideForward},
    };
    return profile;
}

} // namespace

EffectiveInputResolution AppInputProfileEngine::resolve(const std::optional<ApplicationId>& frontmost,
    const std::optional<std::string>& frontmostAppName, const InputSettings& settings,
    const std::vector<AppInputProfile>* profiles, const std::vector<InputMacro>* macros)
{
    const auto& profileList = profiles != nullptr ? *profiles : settings.appProfiles;
    const auto& macroList = macros != nullptr ? *macros : settings.macros;
    const AppInputProfile* profile = matchProfile(frontmost, profileList);

    EffectiveInputResolution resolution;
    if (frontmost) {
        resolution.frontmostBundleID = frontmost->text();
    }
    resolution.frontmostAppName = frontmostAppName;
    if (profile != nullptr) {
        resolution.matchedProfileID = profile->id;
        resolution.matchedProfileName = profile->appName;
    }

    resolution.reverseMouseWheel = profile != nullptr && profile->reverseMouseWheelOverride
        ? *profile->reverseMouseWheelOverride
        : settings.reverseMouseWheel;

    // A profile's own smoothing choice wins over the exclusion list, so a profile can switch
    // smoothing on for an excluded application.
    if (profile != nullptr && profile->smoothScrollOverride) {
        resolution.smoothScrollEnabled = *profile->smoothScrollOverride;
    } else if (ScrollExclusionMatcher::isExcluded(frontmost, settings)) {
        resolution.smoothScrollEnabled = false;
    } else {
        resolution.smoothScrollEnabled = settings.smoothScrollEnabled;
    }

    double speed = profile != nullptr && profile->scrollSpeedMultiplierOverride
        ? *profile->scrollSpeedMultiplierOverride
        : settings.scrollSpeedMultiplier;
    // Written so that NaN, which fails every comparison, also ends at the lower bound.
    if (!(speed > kMinimumScrollSpeed)) {
        speed = kMinimumScrollSpeed;
    }
    if (speed > kMaximumScrollSpeed) {
        speed = kMaximumScrollSpeed;
    }
    resolution.scrollSpeedMultiplier = speed;

    const bool remapping = settings.engineEnabled && settings.buttonRemapEnabled;
    for (const auto button : kAllMouseButtonKinds) {
        MouseButtonAction action = MouseButtonAction::passthrough;
        if (remapping) {
            const auto profileAction = profile != nullptr ? profile->buttonAction(button) : std::nullopt;
            action = profileAction ? *profileAction : ButtonActionResolver::resolveAction(button, frontmost, settings);
        }
        resolution.buttonActions.emplace(rawValue(button), action);
    }

    if (remapping) {
        // The first enabled macro per trigger number wins; a matched profile's bindings then
        // replace those, unchecked: the engine decides what to do with a macro it cannot find.
        for (const auto& macro : macroList) {
            if (macro.isEnabled && macro.triggerButtonNumber) {
                resolution.macroBindings.emplace(*macro.triggerButtonNumber, macro.id);
            }
        }
        if (profile != nullptr) {
            for (const auto& [button, macroID] : profile->macroBindings) {
                resolution.macroBindings.insert_or_assign(button, macroID);
            }
        }
    }
    return resolution;
}

std::vector<AppInputProfile> AppInputProfileEngine::builtInTemplates()
{
    using enum MouseButtonAction;
    std::vector<AppInputProfile> templates;
    templates.reserve(5);
    templates.push_back(makeTemplate(
        "Xcode", "com.apple.dt.Xcode", std::nullopt, true, 1.5, missionControl, browserBack, browserForward));
    templates.push_back(makeTemplate(
        "VS Code", "com.microsoft.VSCode", std::nullopt, true, 1.6, closeTab, browserBack, browserForward));
    templates.push_back(makeTemplate("Figma", "com.figma.Desktop", false, false, 1.0, passthrough, zoomOut, zoomIn));
    templates.push_back(makeTemplate(
        "Google Chrome", "com.google.Chrome", std::nullopt, true, 1.4, closeTab, browserBack, browserForward));
    templates.push_back(
        makeTemplate("Safari", "com.apple.Safari", std::nullopt, true, 1.35, closeTab, browserBack, browserForward));
    return templates;
}

} // namespace tarn::input
