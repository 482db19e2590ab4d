#include "TarnInput/Overlays/KeyHUD/KeyHUDTokenList.h"

#include "TarnInput/Overlays/KeyHUD/KeyHUDLayout.h"

namespace tarn::input {

void KeyHUDTokenList::append(const KeyHUDToken& token)
{
    m_tokens.push_back(token);
    while (m_tokens.size() > KeyHUDLayout::kMaxTokens) {
        m_tokens.pop_front();
    }
}

} // namespace tarn::input
