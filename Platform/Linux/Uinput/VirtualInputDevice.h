#pragma once

// One uinput device of ours: the pass-through twin of a grabbed mouse, or the poster's keyboard
// and pointer. It remembers which keys and buttons it holds down so that `releaseAll` (and the
// destructor) can lift them: nothing we press may stay down. Every device we create carries the
// marker in its phys string and is listed for the tap, which never reads our own devices.
//
// One writer at a time, and no lock for it: the poster writes its devices under a lock of its
// own, and a twin is written by the input thread alone. The one exception is the watchdog, which
// `seize`s a twin after a stall: it waits out a write in progress, lifts what the twin holds, and
// from then on writes do nothing until the input thread `reopen`s the twin.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "Platform/Linux/Input/EvdevEvent.h"
#include "Platform/Linux/Uinput/UinputWriteBuffer.h"

namespace tarn::input {

class VirtualInputDevice {
public:
    // What our devices answer in /sys/class/input/*/phys ("TARN").
    static constexpr std::string_view kPhys = "tarninput/5441524E";

    ~VirtualInputDevice();
    VirtualInputDevice(const VirtualInputDevice&) = delete;
    VirtualInputDevice& operator=(const VirtualInputDevice&) = delete;

    // A twin of the evdev device open on `sourceFd`: its name with " (TarnInput)", its ids, buttons,
    // keys and axes, with both wheel resolutions whenever it has either. None when /dev/uinput
    // cannot be opened or the kernel refuses.
    static std::unique_ptr<VirtualInputDevice> createTwin(int sourceFd);
    static std::unique_ptr<VirtualInputDevice> createKeyboard();
    static std::unique_ptr<VirtualInputDevice> createPointer();

    // True when `syspath` (of the input device or its event node) belongs to one of ours alive now.
    static bool isOurs(std::string_view syspath);

    // Writes whole frames with one write(2); then notes what is held.
    void write(const UinputWriteBuffer& frames);
    // Writes the events and one SYN_REPORT, as one frame.
    void writeFrame(std::span<const EvdevEvent> events);
    // Lifts every key and button this device holds, in one frame.
    void releaseAll();
    // From a thread other than the writer's: see above. `seize` returns once everything is lifted.
    void seize();
    void reopen();
    bool isHeld(int code) const;

    // /dev/input/eventN and its sysfs folder.
    const std::string& devnode() const;
    const std::string& syspath() const;

    // Opaque outside its own file.
    struct Impl;

private:
    explicit VirtualInputDevice(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
