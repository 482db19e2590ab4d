#pragma once

// A file picker that answers every request with the files it was given, or a cancel, and counts
// how often it was asked.

#include "TarnKit/Feedback/Composer/ScreenshotFilePicker.h"

namespace tarn {

class FakeScreenshotFilePicker final : public ScreenshotFilePicker {
public:
    std::optional<std::vector<std::filesystem::path>> chooseImages() override
    {
        ++m_requests;
        return m_choice;
    }

    // None: the user cancels.
    void setChoice(std::optional<std::vector<std::filesystem::path>> choice) { m_choice = std::move(choice); }
    int requests() const { return m_requests; }

private:
    std::optional<std::vector<std::filesystem::path>> m_choice;
    int m_requests = 0;
};

} // namespace tarn
