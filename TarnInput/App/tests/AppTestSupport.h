#pragma once

// The studio window's tests stand on the screens' fixture, plus a permission center of their own
// whose help page exists, so "Grant Permission" has somewhere to go.

#include <filesystem>

#include "Platform/Fake/Foundation/FakePermissionBackend.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnKit/Foundation/TarnPermissionCenter.h"

namespace tarn::input::testing {

struct PermissionHelp {
    FakePermissionBackend backend;
    RecordingUrlOpener opener;
    TarnPermissionCenter center {
        backend, opener, std::filesystem::path(TARN_SOURCE_ROOT) / "resources" / "permission-help.html"};
};

} // namespace tarn::input::testing
