#pragma once

// Counts the calls of getrandom made by the whole program, so that a test can see a path ask the
// kernel for no randomness (a system call per event is too slow for the input thread). A program
// that counts links KernelRandomCounter.cpp, whose getrandom takes the place of the C library's
// and forwards to the kernel.

#include <cstdint>

namespace tarn {

// Calls since the program started.
std::uint64_t kernelRandomCallCount();

} // namespace tarn
