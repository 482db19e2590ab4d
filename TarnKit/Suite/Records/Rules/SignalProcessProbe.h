#pragma once

// Asks the kernel: signal 0 to the process checks that it exists without disturbing it. A
// process of another user refuses the signal with EPERM, which still says that it exists.

#include <cstdint>

#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class SignalProcessProbe final : public ProcessProbe {
public:
    bool isAlive(std::int32_t pid) const override;

    // What a result of kill(pid, 0) and the errno it left say about the process.
    static bool isAliveAnswer(int result, int error);
};

} // namespace tarn
