#pragma once

// Permissions a test sets by hand; counts how often it was asked.

#include <atomic>

#include "TarnKit/Foundation/Ports/PermissionBackend.h"

namespace tarn {

class FakePermissionBackend final : public PermissionBackend {
public:
    bool isAccessibilityGranted() const override
    {
        ++m_accessibilityChecks;
        return m_accessibility;
    }
    bool isScreenRecordingGranted() const override { return m_screenRecording; }

    void setAccessibilityGranted(bool granted) { m_accessibility = granted; }
    void setScreenRecordingGranted(bool granted) { m_screenRecording = granted; }
    int accessibilityChecks() const { return m_accessibilityChecks; }

private:
    std::atomic<bool> m_accessibility {false};
    std::atomic<bool> m_screenRecording {true};
    mutable std::atomic<int> m_accessibilityChecks {0};
};

} // namespace tarn
