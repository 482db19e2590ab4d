#pragma once

// Global pointer preferences held in memory. A test stores any value (also one of the wrong type),
// reads what the bridge wrote, and can make synchronising fail.

#include <optional>
#include <utility>

#include "TarnInputCore/Engine/PointerPreferences.h"

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

    void storeLinear(std::optional<PointerPreferenceValue> value) { m_linear = std::move(value); }
    void storeScaling(std::optional<PointerPreferenceValue> value) { m_scaling = std::move(value); }
    void setSynchronizeFails(bool fails) { m_synchronizeFails = fails; }
    int synchronizeCount() const { return m_synchronizeCount; }

private:
    std::optional<PointerPreferenceValue> m_linear;
    std::optional<PointerPreferenceValue> m_scaling;
    bool m_synchronizeFails = false;
    int m_synchronizeCount = 0;
};

} // namespace tarn::input
