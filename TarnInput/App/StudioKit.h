#pragma once

// The kit's services the studio's windows hand to the kit's widgets. The start-up builds each
// once; they outlive every window.

namespace tarn {
class TarnAppLogger;
class TarnFeedbackService;
class TitlebarDoubleClickPreference;
} // namespace tarn

namespace tarn::input {

struct StudioKit {
    // The log the version sheet shows, exports and clears.
    TarnAppLogger& logger;
    // Opens the feedback page from the header's and the version sheet's feedback buttons.
    const TarnFeedbackService& feedback;
    // The desktop's choice for a double click on the header; null: a double click zooms.
    const TitlebarDoubleClickPreference* doubleClickPreference = nullptr;
};

} // namespace tarn::input
