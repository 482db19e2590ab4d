#include "TarnInputCore/tests/Engine/EngineHarness.h"

#include <algorithm>

#include <fmt/format.h>

#include "TarnInputCore/tests/Engine/EventScript.h"

namespace tarn::input::testing {

EngineHarness::EngineHarness(InputSettings initialSettings)
    : settings(std::move(initialSettings))
{
    service = std::make_unique<InputEventInterceptorService>(settings, ports());
    EngineCallbacks callbacks;
    callbacks.onTelemetryEvent = [this](const std::string& line) { telemetryLines.push_back(line); };
    callbacks.onClickRipple = [this](const ClickRippleEvent& ripple) { ripples.push_back(ripple); };
    callbacks.onPointerTelemetry = [this](const PointerTelemetrySnapshot& snapshot) { telemetry.push_back(snapshot); };
    callbacks.onCalibrationSnapshot
        = [this](const PointerCalibrationSnapshot& snapshot) { calibration.push_back(snapshot); };
    service->setCallbacks(std::move(callbacks));
    EXPECT_TRUE(service->start());
}

EngineHarness::~EngineHarness()
{
    // Stopping carries out the engine's last requests, whose reports land in the lists declared
    // after the engine: it has to stop while they still exist.
    service.reset();
}

void EngineHarness::changeSettings(const std::function<void(InputSettings&)>& change)
{
    change(settings);
    service->updateSettings(settings);
}

std::string EngineHarness::run(std::string_view script)
{
    std::vector<std::string> output;
    for (const auto& step : parseEventScript(script)) {
        if (const auto* clockStep = std::get_if<ScriptClockStep>(&step)) {
            executor.advance(clockStep->step);
            drainPosts(output);
        } else if (const auto* modifiers = std::get_if<ScriptModifiers>(&step)) {
            m_modifiers = modifiers->flags;
        } else if (const auto* frontmost = std::get_if<ScriptFrontmost>(&step)) {
            // As a desktop does: the workspace tells its subscribers (the engine among them).
            const auto& application = frontmost->application;
            workspace.activate(
                application.bundleID ? std::optional(application.bundleID->text()) : std::nullopt, application.name);
            if (frontmost->tellEngine) {
                (void)service->updateActiveApplication(application);
            }
        } else {
            const auto& scripted = std::get<ScriptEvent>(step);
            TapEvent event = scripted.event;
            event.flags = scripted.flags.value_or(m_modifiers);
            if (scripted.hasLocation) {
                event.mouseDeltaX = event.location.x - m_pointer.x;
                event.mouseDeltaY = event.location.y - m_pointer.y;
                m_pointer = event.location;
                if (m_heldButtons.empty() && !scripted.explicitDrag) {
                    event.type = TapEventType::mouseMoved;
                } else {
                    const auto button = m_heldButtons.empty() ? ButtonNumber::left : m_heldButtons.front();
                    event.buttonNumber = button;
                    event.type = button == ButtonNumber::left ? TapEventType::leftMouseDragged
                        : button == ButtonNumber::right       ? TapEventType::rightMouseDragged
                                                              : TapEventType::otherMouseDragged;
                }
            } else {
                event.location = m_pointer;
            }
            switch (event.type) {
            case TapEventType::leftMouseDown:
            case TapEventType::rightMouseDown:
            case TapEventType::otherMouseDown:
                m_heldButtons.push_back(event.buttonNumber);
                break;
            case TapEventType::leftMouseUp:
            case TapEventType::rightMouseUp:
            case TapEventType::otherMouseUp:
                std::erase(m_heldButtons, event.buttonNumber);
                break;
            default:
                break;
            }
            deliver(event, output);
            if (!m_executorLate) {
                executor.advance(std::chrono::nanoseconds {0});
                drainPosts(output);
            }
        }
    }
    std::string joined;
    for (const auto& token : output) {
        joined += joined.empty() ? "" : " ";
        joined += token;
    }
    return joined;
}

void EngineHarness::deliver(TapEvent event, std::vector<std::string>& output)
{
    const auto result = tap.deliver(event);
    drainPosts(output);
    if (result) {
        observe(*result);
        output.push_back(printTapEvent(*result));
    }
}

void EngineHarness::drainPosts(std::vector<std::string>& output)
{
    for (;;) {
        const auto posted = poster.take();
        if (posted.empty()) {
            return;
        }
        for (const auto& event : posted) {
            // The system hands posted events to the tap again; the marker must let them through
            // untouched.
            const auto result = tap.deliver(event);
            if (!result) {
                output.push_back("(swallowed)" + printTapEvent(event, true));
                continue;
            }
            if (!(*result == event)) {
                output.push_back("(changed)" + printTapEvent(*result, true));
                continue;
            }
            observe(event);
            output.push_back(printTapEvent(event, true));
        }
    }
}

void EngineHarness::observe(const TapEvent& event)
{
    using enum TapEventType;
    std::string key;
    bool down = false;
    switch (event.type) {
    case leftMouseDown:
    case leftMouseUp:
        key = "button 0";
        down = event.type == leftMouseDown;
        break;
    case rightMouseDown:
    case rightMouseUp:
        key = "button 1";
        down = event.type == rightMouseDown;
        break;
    case otherMouseDown:
    case otherMouseUp:
        key = fmt::format("button {}", event.buttonNumber);
        down = event.type == otherMouseDown;
        break;
    case keyDown:
    case keyUp:
        // Only keys the engine posts are followed; the user's own key-ups are never tapped.
        if (!event.isSynthetic()) {
            return;
        }
        key = fmt::format("key {}", event.keyCode);
        down = event.type == keyDown;
        break;
    default:
        return;
    }
    if (down) {
        // A second press without a release between: applications lose track of the button.
        if (!m_held.insert(key).second) {
            m_repeatedPresses.push_back(key);
        }
    } else if (m_held.erase(key) == 0) {
        m_strayReleases.push_back(key);
    }
}

::testing::AssertionResult EngineHarness::nothingHeld(StrayReleases strayReleases) const
{
    if (m_held.empty() && m_repeatedPresses.empty()
        && (m_strayReleases.empty() || strayReleases == StrayReleases::allowed)) {
        return ::testing::AssertionSuccess();
    }
    const auto joined = [](const auto& keys) {
        std::string text;
        for (const auto& key : keys) {
            text += text.empty() ? key : ", " + key;
        }
        return text;
    };
    return ::testing::AssertionFailure() << "still held: [" << joined(m_held) << "], pressed again while down: ["
                                         << joined(m_repeatedPresses) << "], released without a press: ["
                                         << joined(m_strayReleases) << "]";
}

} // namespace tarn::input::testing
