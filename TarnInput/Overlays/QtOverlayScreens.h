#pragma once

// The screens Qt knows, and the pointer as QCursor reports it.

#include "TarnInput/Overlays/OverlayScreens.h"

namespace tarn::input {

class QtOverlayScreens final : public OverlayScreens {
public:
    OverlayScreenLayout layout() const override;
};

} // namespace tarn::input
