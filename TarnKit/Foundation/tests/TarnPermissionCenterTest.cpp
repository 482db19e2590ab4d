#include "TarnKit/Foundation/Desktop/TarnPermissionCenter.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakePermissionBackend.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

TEST(TarnSystemPermissionKind, RawValuesAreExactAndOrdered)
{
    ASSERT_EQ(kAllTarnSystemPermissionKinds.size(), 3u);
    const std::string_view expected[] = {"accessibility", "screenRecording", "systemAudio"};
    for (std::size_t index = 0; index < 3; ++index) {
        const auto kind = kAllTarnSystemPermissionKinds[index];
        EXPECT_EQ(rawValue(kind), expected[index]);
        EXPECT_EQ(id(kind), rawValue(kind));
        EXPECT_EQ(tarnSystemPermissionKindFromRawValue(expected[index]), kind);
    }
    for (const char* raw : {"Accessibility", "ACCESSIBILITY", "screenrecording", "", "accessibility "}) {
        EXPECT_EQ(tarnSystemPermissionKindFromRawValue(raw), std::nullopt) << raw;
    }
    EXPECT_EQ(settingsURL(TarnSystemPermissionKind::screenRecording),
        "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture");
}

TEST(TarnPermissionCenter, AsksTheBackendEveryTimeAndNeverOpensAnythingToAsk)
{
    FakePermissionBackend backend;
    RecordingUrlOpener opener;
    const TarnPermissionCenter center(backend, opener, "/nonexistent/permission-help.html");

    EXPECT_FALSE(center.isAccessibilityGranted(true));
    backend.setAccessibilityGranted(true);
    EXPECT_TRUE(center.isAccessibilityGranted(false));
    EXPECT_EQ(backend.accessibilityChecks(), 2) << "no answer is cached";
    EXPECT_TRUE(center.isScreenRecordingGranted());
    EXPECT_TRUE(opener.opened().empty()) << "a prompt must not open anything";
}

TEST(TarnPermissionCenter, OpensTheKindsSectionOfTheInstalledHelpPage)
{
    TemporaryFolder folder;
    const auto page = folder.path() / "share dir ü" / "permission-help.html";
    std::filesystem::create_directories(page.parent_path());
    std::ofstream(page) << "<html></html>";

    FakePermissionBackend backend;
    RecordingUrlOpener opener;
    const TarnPermissionCenter center(backend, opener, page);
    center.openSystemSettings(TarnSystemPermissionKind::accessibility);
    center.openSystemSettings(TarnSystemPermissionKind::systemAudio);

    const std::string base = "file://" + folder.path().string() + "/share%20dir%20%C3%BC/permission-help.html";
    EXPECT_EQ(opener.opened(), (std::vector<std::string> {base + "#accessibility", base + "#systemAudio"}));

    // Without the page there is nothing to show, and nothing is started.
    std::filesystem::remove(page);
    center.openSystemSettings(TarnSystemPermissionKind::accessibility);
    EXPECT_EQ(opener.opened().size(), 2u);
}

TEST(TarnPermissionCenter, TheShippedHelpPageHasASectionForEveryKind)
{
    std::ifstream page(std::filesystem::path(TARN_SOURCE_ROOT) / "resources" / TarnPermissionCenter::kHelpPageName);
    ASSERT_TRUE(page) << "resources/permission-help.html is missing";
    const std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    for (const auto kind : kAllTarnSystemPermissionKinds) {
        EXPECT_NE(html.find("id=\"" + std::string(rawValue(kind)) + "\""), std::string::npos) << rawValue(kind);
    }
}

} // namespace
} // namespace tarn
