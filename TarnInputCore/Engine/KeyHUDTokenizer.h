#pragma once

// Key HUD tokens for key-down events (key repeats included). The key event itself always continues
// unchanged: the HUD only watches. One token is kept and rebuilt for each key, so a key press
// allocates nothing: its text has room for any label, and identities come from a sequence seeded
// once (a random identity per key would cost a system call). Tap thread only.

#include "TarnInputCore/Engine/Macros/UuidSequence.h"
#include "TarnInputCore/Engine/Ports/SecureInputState.h"
#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/Keys/KeyHUDToken.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

class KeyHUDTokenizer {
public:
    KeyHUDTokenizer();
    KeyHUDTokenizer(const KeyHUDTokenizer&) = delete;
    KeyHUDTokenizer& operator=(const KeyHUDTokenizer&) = delete;

    // The global secure-input state to consult; must outlive the tokenizer. Without one, secure
    // input is never reported.
    void setSecureInputState(const SecureInputState& state) { m_secureInput = &state; }

    // The token for this key press, stamped with the clock's wall time, or null when the settings
    // leave it out. Valid until the next call.
    const KeyHUDToken* tokenFor(const TapEvent& keyDown, const InputSettings& settings, const Clock& clock);

private:
    const SecureInputState* m_secureInput;
    KeyHUDToken m_token;
    UuidSequence m_ids;
};

} // namespace tarn::input
