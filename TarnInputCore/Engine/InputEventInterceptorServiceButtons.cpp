// Middle and side buttons: gesture chords, bound macros and action shortcuts.

#include <algorithm>
#include <array>

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Model/Keys/ActionShortcut.h"

namespace tarn::input {

namespace {

bool isRemappable(std::int64_t buttonNumber)
{
    return mouseButtonKindFromRawValue(buttonNumber).has_value();
}

bool isGestureTrigger(std::int64_t buttonNumber, const InputSettings& settings)
{
    return settings.engineEnabled && settings.gestureChordsEnabled
        && buttonNumber == rawValue(settings.gestureTriggerButton);
}

} // namespace

TapVerdict InputEventInterceptorService::handleOtherMouseDown(const TapEvent& event, const EngineSnapshot& snapshot)
{
    const auto n = event.buttonNumber;
    // The fourth and further side buttons are never remapped.
    if (!isRemappable(n)) {
        return TapVerdict::pass;
    }
    if (isGestureTrigger(n, *snapshot.settings)) {
        m_gestureRecognizer.begin(event.location);
        return TapVerdict::swallow;
    }
    return actOnButton(n, snapshot) ? TapVerdict::swallow : TapVerdict::pass;
}

TapVerdict InputEventInterceptorService::handleOtherMouseUp(const TapEvent& event, const EngineSnapshot& snapshot)
{
    const auto n = event.buttonNumber;
    const InputSettings& settings = *snapshot.settings;
    const auto pressVerdict = m_pressLedger.takeRelease(n);
    if (isRemappable(n) && m_gestureRecognizer.isTracking() && n == rawValue(settings.gestureTriggerButton)) {
        const auto direction = m_gestureRecognizer.end(event.location, settings.gestureThresholdPoints);
        finishGesture(event, snapshot, direction, pressVerdict);
    }
    // The release takes the verdict its press got. A release whose press the engine never saw
    // (pressed before the tap existed, or before a restart) is passed: applications may have seen
    // that press, and passing a release of a button that is not down does no harm.
    return pressVerdict.value_or(TapVerdict::pass);
}

TapVerdict InputEventInterceptorService::handleOtherMouseDragged(const TapEvent& event, const InputSettings& settings)
{
    if (!m_gestureRecognizer.isTracking()) {
        return TapVerdict::pass;
    }
    (void)m_gestureRecognizer.update(event.location, settings.gestureThresholdPoints);
    return TapVerdict::swallow;
}

void InputEventInterceptorService::finishGesture(const TapEvent& event, const EngineSnapshot& snapshot,
    std::optional<GestureDirection> direction, std::optional<TapVerdict> pressVerdict)
{
    if (direction) {
        const auto action = snapshot.settings->gestureAction(*direction);
        if (action != MouseButtonAction::passthrough) {
            dispatchAction(action);
            reportFromTap({"Gesture ", labelEN(*direction), " → ", labelEN(action)});
        }
        return;
    }
    // No direction: the hold was a click of the trigger button.
    if (!actOnButton(event.buttonNumber, snapshot) && pressVerdict == TapVerdict::swallow) {
        // The button keeps its own behaviour: give applications the click the gesture held back.
        // Only a press the engine swallowed is held back: when the trigger was changed while this
        // button was down, its press may have reached applications, and its release passes.
        postButtonClick(event);
    }
}

bool InputEventInterceptorService::actOnButton(std::int64_t buttonNumber, const EngineSnapshot& snapshot)
{
    const auto kind = mouseButtonKindFromRawValue(buttonNumber);
    if (!kind) {
        return false;
    }
    if (const auto& macro = snapshot.boundMacro(buttonNumber)) {
        std::array<char, 32> source {};
        const auto written = fmt::format_to_n(source.data(), source.size(), "button-{}", buttonNumber).size;
        // A refusal (another macro still playing) is logged by playback; the button is still taken.
        (void)m_macroPlayback.play(macro, std::string_view(source.data(), std::min(written, source.size())));
        reportFromTap({labelEN(*kind), " → Macro: ", macro->macro().name});
        return true;
    }
    if (const auto action = snapshot.boundAction(buttonNumber); action && *action != MouseButtonAction::passthrough) {
        dispatchAction(*action);
        reportFromTap({labelEN(*kind), " → ", labelEN(*action)});
        return true;
    }
    return false;
}

void InputEventInterceptorService::dispatchAction(MouseButtonAction action)
{
    const auto shortcut = actionShortcut(action);
    if (!shortcut) {
        return;
    }
    TapEvent down;
    down.type = TapEventType::keyDown;
    down.keyCode = shortcut->keyCode;
    down.flags = shortcut->flags;
    down.sourceUserData = kSyntheticMagicTag;
    TapEvent up = down;
    up.type = TapEventType::keyUp;
    m_ports.poster.post(down);
    m_ports.poster.post(up);
}

void InputEventInterceptorService::postButtonClick(const TapEvent& release)
{
    TapEvent down = release;
    down.type = TapEventType::otherMouseDown;
    down.sourceUserData = kSyntheticMagicTag;
    TapEvent up = down;
    up.type = TapEventType::otherMouseUp;
    m_ports.poster.post(down);
    m_ports.poster.post(up);
}

} // namespace tarn::input
