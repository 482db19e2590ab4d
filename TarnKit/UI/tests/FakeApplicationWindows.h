#pragma once

// Windows a test lays out; every step taken on them is recorded in order.

#include <string>
#include <vector>

#include "TarnKit/UI/Chrome/ApplicationWindows.h"

namespace tarn {

class FakeApplicationWindows final : public ApplicationWindows {
public:
    std::vector<ApplicationWindowState> windows() override { return m_windows; }
    void restore(std::size_t index) override
    {
        m_windows.at(index).isMinimized = false;
        m_steps.push_back("restore " + std::to_string(index));
    }
    void makeKeyAndOrderFront(std::size_t index) override
    {
        m_windows.at(index).isVisible = true;
        m_steps.push_back("front " + std::to_string(index));
    }
    void activateIgnoringOtherApps() override { m_steps.emplace_back("activate"); }

    void setWindows(std::vector<ApplicationWindowState> windows) { m_windows = std::move(windows); }
    const std::vector<std::string>& steps() const { return m_steps; }

private:
    std::vector<ApplicationWindowState> m_windows;
    std::vector<std::string> m_steps;
};

} // namespace tarn
