#pragma once

// A window that records every chrome step it is asked to take, in order, and reports the button
// frames and full-screen state a test gives it.

#include <array>
#include <string>
#include <vector>

#include "TarnKit/UI/Chrome/WindowChrome.h"

namespace tarn {

class FakeWindowChrome final : public WindowChrome {
public:
    bool hasFullSizeContent() const override { return m_fullSizeContent; }
    void addFullSizeContent() override
    {
        m_fullSizeContent = true;
        m_steps.emplace_back("addFullSizeContent");
    }
    void hideTitle() override { m_steps.emplace_back("hideTitle"); }
    void makeTitlebarTransparent() override { m_steps.emplace_back("makeTitlebarTransparent"); }
    void removeTitlebarSeparator() override { m_steps.emplace_back("removeTitlebarSeparator"); }
    std::optional<std::string> toolbarIdentifier() const override { return m_toolbar; }
    void removeToolbar() override
    {
        m_toolbar.reset();
        m_steps.emplace_back("removeToolbar");
    }
    void installToolbar(std::string_view identifier) override
    {
        m_toolbar = std::string(identifier);
        m_steps.push_back("installToolbar " + std::string(identifier));
    }
    void setUnifiedToolbarStyle() override { m_steps.emplace_back("setUnifiedToolbarStyle"); }

    bool isFullScreen() const override { return m_fullScreen; }
    std::optional<WindowRect> buttonFrame(WindowButton button) const override
    {
        return m_buttons[static_cast<std::size_t>(button)];
    }

    void minimize() override { m_steps.emplace_back("minimize"); }
    void zoom() override { m_steps.emplace_back("zoom"); }

    void setToolbar(std::optional<std::string> identifier) { m_toolbar = std::move(identifier); }
    void setFullScreen(bool fullScreen) { m_fullScreen = fullScreen; }
    void setButton(WindowButton button, std::optional<WindowRect> frame)
    {
        m_buttons[static_cast<std::size_t>(button)] = frame;
    }
    const std::vector<std::string>& steps() const { return m_steps; }
    void clearSteps() { m_steps.clear(); }

private:
    bool m_fullSizeContent = false;
    bool m_fullScreen = false;
    std::optional<std::string> m_toolbar;
    std::array<std::optional<WindowRect>, 3> m_buttons {};
    std::vector<std::string> m_steps;
};

} // namespace tarn
