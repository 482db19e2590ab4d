#pragma once

// The keys on show in the HUD, oldest first, never more than four: a new key pushes the oldest out.

#include <deque>

#include "TarnInputCore/Model/Keys/KeyHUDToken.h"

namespace tarn::input {

class KeyHUDTokenList {
public:
    void append(const KeyHUDToken& token);
    void clear() { m_tokens.clear(); }

    const std::deque<KeyHUDToken>& tokens() const { return m_tokens; }

private:
    std::deque<KeyHUDToken> m_tokens;
};

} // namespace tarn::input
