#pragma once

// The studio window's tests stand on the screens' fixture, and on the kit's services as the
// start-up builds them, with a browser that only records the addresses it is asked to open.

#include <memory>
#include <utility>

#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnInput/App/StudioKit.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"

namespace tarn::input::testing {

class TestStudioKit {
public:
    StudioKit kit() { return StudioKit {logger, feedback}; }

    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    // In the test run's own state folder.
    TarnAppLogger logger {
        "TarnInput", std::nullopt, TarnAppLogger::kDefaultMaxFileBytes, TarnAppLogger::kDefaultMaxRotatedFiles, {}};
    TarnFeedbackService feedback {feedbackServices(opener)};

private:
    static TarnFeedbackService::Services feedbackServices(std::shared_ptr<UrlOpener> opener)
    {
        TarnFeedbackService::Services services;
        services.opener = std::move(opener);
        return services;
    }
};

} // namespace tarn::input::testing
