#include "TarnInputCore/Engine/Ports/SecureInputState.h"

namespace tarn::input {

namespace {

class UnknownSecureInputState final : public SecureInputState {
public:
    bool isSecureInputActive() const override { return false; }
};

} // namespace

const SecureInputState& SecureInputState::unknown()
{
    static const UnknownSecureInputState state;
    return state;
}

} // namespace tarn::input
