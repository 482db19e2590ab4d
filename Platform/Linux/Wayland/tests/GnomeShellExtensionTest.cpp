// The shell extension that the GNOME Shell adapter reads: it must publish under the names the
// adapter listens to, and the texts for users must say how to enable it. (Its behaviour is
// checked by tests/scripts/GnomeShellExtensionTest.js; the adapter meets a fake of it on the bus.)

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Platform/Linux/Wayland/GnomeShellWorkspace.h"

namespace tarn::input {
namespace {

std::string readSource(const std::filesystem::path& relative)
{
    std::ifstream stream(std::filesystem::path(TARN_SOURCE_ROOT) / relative);
    std::stringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

const std::filesystem::path kExtensionFolder
    = std::filesystem::path("resources/gnome-shell-extension") / GnomeShellWorkspace::kExtensionUUID;

TEST(GnomeShellExtension, PublishesWhereTheAdapterListens)
{
    const auto metadata = nlohmann::json::parse(readSource(kExtensionFolder / "metadata.json"), nullptr, false);
    ASSERT_TRUE(metadata.is_object());
    EXPECT_EQ(metadata.value("uuid", ""), GnomeShellWorkspace::kExtensionUUID);

    const auto script = readSource(kExtensionFolder / "extension.js");
    ASSERT_FALSE(script.empty());
    for (const std::string& quoted :
        {"'" + std::string(GnomeShellWorkspace::kBusName) + "'", "'" + std::string(GnomeShellWorkspace::kPath) + "'",
            "<interface name=\"" + std::string(GnomeShellWorkspace::kInterface) + "\">",
            std::string("<method name=\"GetWindows\">"), std::string("<signal name=\"WindowsChanged\">"),
            std::string("emit_signal('WindowsChanged'")}) {
        EXPECT_NE(script.find(quoted), std::string::npos) << quoted;
    }
    // The fields DesktopWindowJson reads.
    for (const char* field : {"appId:", "title:", "pid:", "focused:"}) {
        EXPECT_NE(script.find(field), std::string::npos) << field;
    }
}

TEST(GnomeShellExtension, TheReadmeAndTheHelpPageSayHowToEnableIt)
{
    const std::string command = std::string("gnome-extensions enable ") + GnomeShellWorkspace::kExtensionUUID;
    for (const char* text : {"README.md", "resources/permission-help.html"}) {
        EXPECT_NE(readSource(text).find(command), std::string::npos) << text;
    }
    EXPECT_NE(readSource("resources/CMakeLists.txt")
                  .find(std::string("gnome-shell-extension/") + GnomeShellWorkspace::kExtensionUUID
                      + " DESTINATION share/gnome-shell/extensions"),
        std::string::npos);
}

} // namespace
} // namespace tarn::input
