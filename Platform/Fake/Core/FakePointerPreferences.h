#pragma once

// Global pointer preferences held in memory. A test stores any value (also one of the wrong type),
// reads what the bridge wrote, and can make synchronising fail. Touchpad scrolling is absent
// until a test gives the fake a touchpad (`storeTouchpadNaturalScrolling`).

#include <optional>
#include <utility>

#include "TarnInputCore/PointerPreferences/PointerPreferences.h"

namespace tarn::input {

class FakePointerPreferences final : public PointerPreferences {
public:
    std::optional<PointerPreferenceValue> linear() const override { return m_linear; }
    std::optional<PointerPreferenceValue> scaling() const override { return m_scaling; }
    void setLinear(bool linear) override { m_linear = linear; }
    void setScaling(double scaling) override { m_scaling = scaling; }
    bool synchronize() override
    {
        ++m_synchronizeCount;
        return !m_synchronizeFails;
    }

    std::optional<bool> touchpadNaturalScrolling() const override { return m_naturalScrolling; }
    bool setTouchpadNaturalScrolling(bool natural) override
    {
        if (!m_naturalScrolling) {
            return false;
        }
        m_naturalScrolling = natural;
        return true;
    }

    void storeLinear(std::optional<PointerPreferenceValue> value) { m_linear = std::move(value); }
    void storeScaling(std::optional<PointerPreferenceValue> value) { m_scaling = std::move(value); }
    void setSynchronizeFails(bool fails) { m_synchronizeFails = fails; }
    int synchronizeCount() const { return m_synchronizeCount; }
    void storeTouchpadNaturalScrolling(std::optional<bool> natural) { m_naturalScrolling = natural; }

private:
    std::optional<PointerPreferenceValue> m_linear;
    std::optional<PointerPreferenceValue> m_scaling;
    std::optional<bool> m_naturalScrolling;
    bool m_synchronizeFails = false;
    int m_synchronizeCount = 0;
};

} // namespace tarn::input
