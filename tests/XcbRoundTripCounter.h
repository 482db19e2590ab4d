#pragma once

// Counts the round trips to the X server of the whole process: the times a thread sent requests
// and then waited for the server's answer. A program that counts links
// tests/XcbRoundTripCounter.cpp, which replaces poll(2): xcb polls for writing before it sends and
// for reading alone when it waits for an answer. A wait for reading counts when something was sent
// on that connection since its last wait; waits that only take the rest of answers asked for
// together (which the server may deliver in pieces) do not count again. Give the counting code a
// program of its own.

#include <cstdint>

namespace tarn {

// Round trips since the program started.
std::uint64_t xcbRoundTripCount();

} // namespace tarn
