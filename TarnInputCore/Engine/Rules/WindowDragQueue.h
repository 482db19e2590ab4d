#pragma once

// Control+Option presses on their way to becoming window drags, oldest first. The tap thread takes
// each press at once; the executor looks its window up later. Meanwhile the user may release the
// button, press it again or begin another drag, so a press can still wait for its answer when
// newer ones arrive. Only the newest press is the drag: once its window is found it moves with
// the pointer until either button is released. An older press still waiting only decides, by its
// answer, whether it was a click after all.
//
// A press that finds no window is given back to applications as the click it was: its press while
// its button is still down, press and release once it is up. It is not given back when a newer
// press of that button has reached applications since: they would see a second press of a button
// already down, or a stale click after a newer one.
//
//   begin ─▶ waiting ─answer─▶ window found ─▶ newest: drag, forgotten after a release
//                    │                        └─ older: nothing to give back, forgotten
//                    └───────▶ no window ────▶ button down: press given back (tap thread)
//                                             └─ button up: press and release given back (executor)
//
// No locking, no posting: the engine calls it under the drag's lock.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class WindowDragQueue {
public:
    // Presses that may wait for their window at once; one more is handled as an ordinary click.
    static constexpr std::size_t kCapacity = 4;

    struct Lookup {
        std::uint64_t generation = 0;
        TapEvent press;
    };
    struct DragStep {
        std::uint64_t generation = 0;
        EventPoint pointer;
    };

    // Tap thread.

    // Takes a left or right press as the drag from now on. False when too many presses wait for
    // their window: the press is then an ordinary click.
    [[nodiscard]] bool begin(const TapEvent& press);
    // A left or right press reached applications (passed, or given back by the tap thread).
    void notePassedPress(std::int64_t button);
    // The drag in progress takes the pointer position; false when there is none (the event passes).
    [[nodiscard]] bool movePointer(EventPoint pointer);
    // A left or right release: ends the drag in progress, whichever button began it, and the
    // released button's presses still waiting will bring their own release when given back.
    // True when the executor has work from it.
    [[nodiscard]] bool release(std::int64_t button);
    // The oldest press without a window whose button is still down; it reaches applications ahead
    // of the event in hand.
    std::optional<TapEvent> takePressToGiveBack();

    // Executor.

    // The oldest press still waiting for its window.
    std::optional<Lookup> nextLookup() const;
    // Records whether that press found a window. True when it is now the drag in progress.
    [[nodiscard]] bool answer(std::uint64_t generation, bool windowFound);
    // The oldest press without a window whose button is already up, to be given back whole.
    std::optional<TapEvent> takeClickToGiveBack();
    // The drag's newest pointer position, when it moved since the last call. A drag that has ended
    // is forgotten once its last position has been taken.
    std::optional<DragStep> takeDragStep();

    // Either thread.

    // Nothing waits, drags or is to be given back.
    bool isEmpty() const { return m_count == 0; }
    // The tap is gone: nothing is given back.
    void clear();

private:
    enum class Answer { waiting, windowFound, noWindow };

    struct Request {
        std::uint64_t generation = 0;
        TapEvent press;
        Answer answer = Answer::waiting;
        // Only the newest press can become the drag; a release of either button ends it.
        bool isNewest = false;
        bool ended = false;
        bool buttonUp = false;
        bool newerPressPassed = false;
        EventPoint pointer;
        bool pointerPending = false;
    };

    static std::int64_t buttonOf(const Request& request);
    std::size_t indexOf(std::uint64_t generation) const;
    // The newest press while it is a drag that has not ended.
    Request* dragInProgress();
    void erase(std::size_t index);
    // The oldest request without a window whose button is (or is not) up, taken out; none when it
    // is stale.
    std::optional<TapEvent> takeNoWindow(bool buttonUp);

    std::array<Request, kCapacity> m_requests {};
    std::size_t m_count = 0;
    std::uint64_t m_generation = 0;
};

} // namespace tarn::input
