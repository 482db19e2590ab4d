#pragma once

// What a feedback sheet is opened with and keeps for its whole life: the application the report
// is about, its version, the sheet's language and an optional override of the server's address.

#include <optional>
#include <string>

#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

struct TarnFeedbackSheetInputs {
    std::string appName;
    TarnAppVersion version;
    // The texts of the sheet and the locale of the report; error texts follow the interface
    // language instead.
    TarnLanguage language = TarnLanguage::en;
    // Passed to the feedback service unchanged.
    std::optional<std::string> baseURL;
};

} // namespace tarn
