#pragma once

// The built-in macros the user can add with one click. Their names and descriptions are single
// texts shown as they stand in every interface language. Every call builds the macros anew, with
// fresh identities for the macros and their steps.

#include <vector>

#include "TarnInputCore/Model/Macros/InputMacro.h"

namespace tarn::input {

class MacroPresetLibrary {
public:
    MacroPresetLibrary() = delete;

    // The four presets below, in this order.
    static std::vector<InputMacro> makePresets();

    static InputMacro copyNewTabPaste();
    static InputMacro selectAllAndCopy();
    static InputMacro quickSpotlightSearch();
    static InputMacro screenshotSelection();
};

} // namespace tarn::input
