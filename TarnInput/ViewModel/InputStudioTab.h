#pragma once

// The studio's tabs, in the order of the tab strip. Kept only in memory: the studio always opens
// on the hardware tab.

namespace tarn::input {

enum class InputStudioTab { hardware, scroll, buttons, profiles, gestures, keyHUD, settings };

} // namespace tarn::input
