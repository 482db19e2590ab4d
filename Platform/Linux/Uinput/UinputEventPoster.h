#pragma once

// Posts the program's own events through two uinput devices of ours, a keyboard and a pointer.
// Shortcuts are pressed by meaning (PostedShortcutTable); button events press the pointer's
// buttons at the pointer's place; wheel events come out as high-resolution wheel motion with the
// legacy detents kept in step, smooth-scroll pixels at 28 pixels a line. The tap never reads
// these devices, so nothing posted comes back to the engine; the marker is not needed to tell.
//
// Posts are serialised by a lock of the poster's, held for one frame's write(2). The engine is
// given two posters, one for the input thread and one for its executor, so the input thread never
// waits behind a macro or a smoothing frame: its poster's lock is otherwise taken only by `open`
// and `close`, which run while no tap exists.
//
// Text: uinput sends key codes, not characters, and the desktop turns them into characters
// through the user's keyboard layout. `postText` types the characters a US keyboard has
// (printable ASCII, tab and newline) as key presses, correct under a US layout; every other
// character is left out.

#include <cstdint>
#include <memory>
#include <string_view>

#include "TarnInputCore/Engine/Ports/EventPoster.h"

namespace tarn::input {

class UinputEventPoster final : public EventPoster {
public:
    UinputEventPoster();
    // Releases whatever is held, then destroys the devices.
    ~UinputEventPoster() override;
    UinputEventPoster(const UinputEventPoster&) = delete;
    UinputEventPoster& operator=(const UinputEventPoster&) = delete;

    // Creates the two devices; false (and nothing created) without write access to /dev/uinput.
    // Until it succeeds, posting does nothing.
    [[nodiscard]] bool open();
    // Releases every key and button it holds and destroys the devices.
    void close();

    void post(const TapEvent& event) override;
    void postText(std::string_view utf8, std::int64_t sourceUserData) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
