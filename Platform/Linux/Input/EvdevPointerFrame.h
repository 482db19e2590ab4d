#pragma once

// One grabbed pointer device's events between two SYN_REPORTs, turned into the engine's events
// and back: motion first, then buttons and keys in the order they came, then the wheels. Each
// engine event goes to the handler; what it passes (possibly changed) comes out as evdev events
// for the device's virtual twin. Motion always comes out: a swallowed drag means applications see
// no drag, but the pointer still moves. Fixed buffers: the input thread never allocates here.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>

#include "Platform/Linux/Input/EvdevEvent.h"
#include "Platform/Linux/Input/WheelEncoder.h"
#include "TarnInputCore/Engine/EventTap.h"

namespace tarn::input {

class PointerLocationCache;

struct FrameContext {
    // None: the device is not grabbed; only its button state is followed, nothing is delivered.
    EventTapHandler* handler = nullptr;
    std::uint64_t eventMask = 0;
    std::uint64_t modifierFlags = 0;
    PointerLocationCache* location = nullptr;
};

class EvdevPointerFrame {
public:
    // Collects one event; SYN events are the caller's to act on.
    void add(const EvdevEvent& event);
    // Ends the frame: delivers it and answers what goes out (without the SYN_REPORT), valid until
    // the next call.
    std::span<const EvdevEvent> finish(const FrameContext& context);
    // Forgets the events collected since the last SYN_REPORT.
    void discardPending() { m_pendingCount = 0; }
    // Physical buttons of this device held down now.
    bool anyButtonHeld() const { return m_heldButtons.any(); }
    bool isButtonHeld(int code) const;
    // Each held button's release, delivered and passed on, as when the device goes away mid-press.
    std::span<const EvdevEvent> releaseHeldButtons(const FrameContext& context);

private:
    static constexpr std::size_t kCapacity = 128;
    static constexpr std::size_t kTrackedButtons = 16;

    void deliverMotion(const FrameContext& context);
    void deliverKey(const FrameContext& context, const EvdevEvent& event);
    void deliverWheel(const FrameContext& context);
    void emit(std::uint16_t type, std::uint16_t code, std::int32_t value);
    static bool deliver(const FrameContext& context, TapEvent& event);
    static void locate(const FrameContext& context, TapEvent& event);

    std::array<EvdevEvent, kCapacity> m_pending {};
    std::size_t m_pendingCount = 0;
    std::array<EvdevEvent, kCapacity> m_out {};
    std::size_t m_outCount = 0;
    // Indexed by code - BTN_LEFT: every button code of the mouse block has a number.
    std::bitset<kTrackedButtons> m_heldButtons;
    std::bitset<kTrackedButtons> m_passedDown;
    WheelEncoder m_wheel;
    WheelEncoder m_hwheel;
};

} // namespace tarn::input
