#pragma once

// One grabbed pointer device's events between two SYN_REPORTs, turned into the engine's events
// and back: motion first, then buttons and keys in the order they came, then the wheels. What
// comes out is written straight into the twin's write buffer.
//
// Motion always comes out as it came: a swallowed drag means applications see no drag, but the
// pointer still moves, and nothing the handler does changes where it goes. So a frame of motion
// alone (the most common by far) goes out before the handler sees it, and the handler gets its
// motion event afterwards; a frame with a button, a key or a wheel waits for the handler's
// verdict. Fixed buffers: the input thread never allocates here.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

#include "Platform/Linux/Input/EvdevEvent.h"
#include "Platform/Linux/Uinput/UinputWriteBuffer.h"
#include "Platform/Linux/Uinput/WheelEncoder.h"
#include "TarnInputCore/Engine/Ports/EventTap.h"

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
    static constexpr std::size_t kCapacity = 128;
    // The most a frame can put into the write buffer: its events, the three more a changed wheel
    // may come out as, and the SYN_REPORT.
    static constexpr std::size_t kMaxOutput = kCapacity + 4;

    // Collects one event, sorting it on the way; SYN events are the caller's to act on.
    void add(const EvdevEvent& event);
    // Whether the handler's verdict decides what goes out: the frame holds a button, a key or a
    // wheel. Otherwise it is motion alone (and what the engine has no word for).
    bool needsVerdict() const { return m_needsVerdict; }
    // Ends the frame into `out` (its events and a SYN_REPORT; nothing when nothing goes out), with
    // room for kMaxOutput events. A frame of motion alone goes out as it came; true then, with its
    // motion event in `motion`, for the caller to `deliverMotion` once `out` is written. Any other
    // frame is delivered first, and only what the handler passes goes out.
    [[nodiscard]] bool finish(const FrameContext& context, UinputWriteBuffer& out, TapEvent& motion);
    // Hands a motion event that `finish` answered to the handler, where the pointer is by then.
    static void deliverMotion(const FrameContext& context, TapEvent& motion);
    // Forgets the events collected since the last SYN_REPORT.
    void discardPending();
    // Physical buttons of this device held down now.
    bool anyButtonHeld() const { return m_heldButtons.any(); }
    bool isButtonHeld(int code) const;
    // Each held button's release, delivered and passed on, as when the device goes away mid-press.
    void releaseHeldButtons(const FrameContext& context, UinputWriteBuffer& out);

private:
    static constexpr std::size_t kTrackedButtons = 16;

    TapEvent motion() const;
    void emitMotion(UinputWriteBuffer& out) const;
    void deliverKey(const FrameContext& context, const EvdevEvent& event, UinputWriteBuffer& out);
    void deliverWheel(const FrameContext& context, UinputWriteBuffer& out);
    void emitOthers(UinputWriteBuffer& out) const;
    static bool deliver(const FrameContext& context, TapEvent& event);
    static void locate(const FrameContext& context, TapEvent& event);

    std::array<EvdevEvent, kCapacity> m_pending {};
    std::size_t m_pendingCount = 0;
    // What `add` learnt of the pending events, so that a frame of motion needs no second look.
    std::int32_t m_dx = 0;
    std::int32_t m_dy = 0;
    bool m_needsVerdict = false;
    bool m_hasOthers = false;
    // Indexed by code - BTN_LEFT: every button code of the mouse block has a number.
    std::bitset<kTrackedButtons> m_heldButtons;
    std::bitset<kTrackedButtons> m_passedDown;
    WheelEncoder m_wheel;
    WheelEncoder m_hwheel;
};

} // namespace tarn::input
