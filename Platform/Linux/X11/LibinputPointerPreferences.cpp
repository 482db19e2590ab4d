#include "Platform/Linux/X11/LibinputPointerPreferences.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include <fmt/format.h>

namespace tarn::input {

namespace {

constexpr std::string_view kAccelProfile = "libinput Accel Profile Enabled"; // adaptive, flat[, custom]
constexpr std::string_view kAccelSpeed = "libinput Accel Speed";
constexpr std::string_view kNaturalScrolling = "libinput Natural Scrolling Enabled";
constexpr std::size_t kFlatProfile = 1;
constexpr std::size_t kAdaptiveProfile = 0;

constexpr std::string_view kGnomeMouse = "org.gnome.desktop.peripherals.mouse";
constexpr std::string_view kGnomeTouchpad = "org.gnome.desktop.peripherals.touchpad";

// Speeds are stored as 32-bit floats.
constexpr double kSpeedTolerance = 1e-4;

bool isFlat(const std::vector<double>& profile)
{
    return profile.size() > kFlatProfile && profile[kFlatProfile] != 0;
}

bool sameSpeed(const std::vector<double>& stored, double speed)
{
    return !stored.empty() && std::abs(stored.front() - speed) < kSpeedTolerance;
}

std::optional<double> number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

LibinputPointerPreferences::LibinputPointerPreferences(PointerPropertyBackend& backend, LogSink& log)
    : m_backend(backend)
    , m_log(log)
{
}

double LibinputPointerPreferences::libinputSpeed(double scaling)
{
    const double clamped = std::isfinite(scaling) ? std::clamp(scaling, 0.25, 3.0) : 1.0;
    return clamped <= 1.0 ? (clamped - 1.0) / 0.75 : (clamped - 1.0) / 2.0;
}

double LibinputPointerPreferences::scalingForLibinputSpeed(double speed)
{
    const double clamped = std::isfinite(speed) ? std::clamp(speed, -1.0, 1.0) : 0.0;
    return clamped <= 0.0 ? 1.0 + 0.75 * clamped : 1.0 + 2.0 * clamped;
}

std::vector<PointerPropertyBackend::Device> LibinputPointerPreferences::devicesWith(
    std::string_view property, bool touchpads) const
{
    std::vector<PointerPropertyBackend::Device> found;
    bool anyLibinputDevice = false;
    for (auto& device : m_backend.devices()) {
        const bool has = m_backend.property(device.id, property).has_value();
        anyLibinputDevice = anyLibinputDevice || has || m_backend.property(device.id, kAccelSpeed).has_value();
        if (has && device.isTouchpad == touchpads) {
            found.push_back(std::move(device));
        }
    }
    if (!anyLibinputDevice && !m_loggedUnavailable) {
        m_loggedUnavailable = true;
        m_log.log(TarnLogLevel::warn, "platform",
            "Pointer acceleration and touchpad scrolling not available: no libinput pointing device on an X11 "
            "display");
    }
    return found;
}

std::optional<PointerPreferenceValue> LibinputPointerPreferences::linear() const
{
    const auto mice = devicesWith(kAccelProfile, false);
    if (mice.empty()) {
        return std::nullopt;
    }
    // Acceleration counts as off only when no mouse has it.
    const bool allFlat = std::all_of(mice.begin(), mice.end(), [&](const auto& mouse) {
        return isFlat(m_backend.property(mouse.id, kAccelProfile).value_or(std::vector<double> {}));
    });
    return allFlat;
}

std::optional<PointerPreferenceValue> LibinputPointerPreferences::scaling() const
{
    for (const auto& mouse : devicesWith(kAccelProfile, false)) {
        const auto speed = m_backend.property(mouse.id, kAccelSpeed);
        if (speed && !speed->empty()) {
            return scalingForLibinputSpeed(speed->front());
        }
    }
    return std::nullopt;
}

void LibinputPointerPreferences::setLinear(bool linear)
{
    m_pendingLinear = linear;
}

void LibinputPointerPreferences::setScaling(double scaling)
{
    // The "curve off" marker and nonsense leave the speed as it is.
    if (std::isfinite(scaling) && scaling >= 0) {
        m_pendingScaling = scaling;
    }
}

bool LibinputPointerPreferences::synchronize()
{
    const auto linear = std::exchange(m_pendingLinear, std::nullopt);
    const auto scaling = std::exchange(m_pendingScaling, std::nullopt);
    const auto mice = devicesWith(kAccelProfile, false);
    if (mice.empty()) {
        return false;
    }
    const bool changeSpeed = scaling.has_value();
    const double speed = changeSpeed ? libinputSpeed(*scaling) : 0.0;
    bool applied = true;
    for (const auto& mouse : mice) {
        if (linear) {
            auto profile = m_backend.property(mouse.id, kAccelProfile).value_or(std::vector<double> {});
            std::fill(profile.begin(), profile.end(), 0.0);
            if (profile.size() > kFlatProfile) {
                profile[*linear ? kFlatProfile : kAdaptiveProfile] = 1;
            }
            applied = m_backend.setProperty(mouse.id, kAccelProfile, profile) && applied;
        }
        if (changeSpeed && m_backend.property(mouse.id, kAccelSpeed)) {
            applied = m_backend.setProperty(mouse.id, kAccelSpeed, std::vector<double> {speed}) && applied;
        }
    }
    if (m_backend.hasDesktopSettings()) {
        if (linear) {
            const std::string profile = *linear ? "'flat'" : "'adaptive'";
            applied = m_backend.setDesktopSetting(kGnomeMouse, "accel-profile", profile) && applied;
            applied = m_backend.desktopSetting(kGnomeMouse, "accel-profile") == profile && applied;
        }
        if (changeSpeed) {
            applied = m_backend.setDesktopSetting(kGnomeMouse, "speed", fmt::format("{}", speed)) && applied;
            const auto stored = number(m_backend.desktopSetting(kGnomeMouse, "speed").value_or(""));
            applied = stored && std::abs(*stored - speed) < kSpeedTolerance && applied;
        }
    }
    // What the devices hold now is the answer, whatever the server said to each request.
    for (const auto& mouse : mice) {
        const auto profile = m_backend.property(mouse.id, kAccelProfile);
        if (linear && (!profile || isFlat(*profile) != *linear)) {
            applied = false;
        }
        const auto stored = m_backend.property(mouse.id, kAccelSpeed);
        if (changeSpeed && stored && !sameSpeed(*stored, speed)) {
            applied = false;
        }
    }
    if (!applied) {
        m_log.log(TarnLogLevel::warn, "platform", "Pointer acceleration change refused by the system");
    }
    return applied;
}

std::optional<bool> LibinputPointerPreferences::touchpadNaturalScrolling() const
{
    const auto touchpads = devicesWith(kNaturalScrolling, true);
    if (touchpads.empty()) {
        return std::nullopt;
    }
    return std::all_of(touchpads.begin(), touchpads.end(), [&](const auto& touchpad) {
        const auto value = m_backend.property(touchpad.id, kNaturalScrolling);
        return value && !value->empty() && value->front() != 0;
    });
}

bool LibinputPointerPreferences::setTouchpadNaturalScrolling(bool natural)
{
    const auto touchpads = devicesWith(kNaturalScrolling, true);
    if (touchpads.empty()) {
        return false;
    }
    bool applied = true;
    for (const auto& touchpad : touchpads) {
        applied = m_backend.setProperty(touchpad.id, kNaturalScrolling, std::vector<double> {natural ? 1.0 : 0.0})
            && applied;
    }
    if (m_backend.hasDesktopSettings()) {
        const std::string value = natural ? "true" : "false";
        applied = m_backend.setDesktopSetting(kGnomeTouchpad, "natural-scroll", value) && applied;
        applied = m_backend.desktopSetting(kGnomeTouchpad, "natural-scroll") == value && applied;
    }
    for (const auto& touchpad : touchpads) {
        const auto stored = m_backend.property(touchpad.id, kNaturalScrolling);
        if (!stored || stored->empty() || (stored->front() != 0) != natural) {
            applied = false;
        }
    }
    if (!applied) {
        m_log.log(TarnLogLevel::warn, "platform", "Touchpad scrolling direction change refused by the system");
    }
    return applied;
}

} // namespace tarn::input
