#pragma once

// Port: which application is in front. The engine asks on every scroll and middle or side button
// event, on the tap thread, so an adapter must answer from a cached value without a round trip.

#include "TarnInputCore/Engine/FrontmostApplication.h"

namespace tarn::input {

class Workspace {
public:
    virtual ~Workspace() = default;
    virtual FrontmostApplication frontmostApplication() const = 0;
};

} // namespace tarn::input
