#pragma once

// Plays a macro once to try it, without saving anything. Main thread only.

#include "TarnInputCore/Model/Macros/InputMacro.h"

namespace tarn::input {

class MacroTrial {
public:
    virtual ~MacroTrial() = default;

    virtual void testMacro(InputMacro macro) = 0;
};

} // namespace tarn::input
