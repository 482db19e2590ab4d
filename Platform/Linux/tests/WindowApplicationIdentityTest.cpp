#include "Platform/Linux/Desktop/WindowApplicationIdentity.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

namespace tarn::input {
namespace {

TEST(WindowApplicationIdentity, TitleApplicationPart)
{
    struct Case {
        const char* title;
        const char* part;
    };
    const Case cases[] = {
        {"Report.odt \u2014 LibreOffice Writer", "LibreOffice Writer"},
        {"Inbox \u2013 Mail", "Mail"},
        {"a - b \u2014 Browser", "Browser"}, // the last dash counts
        {"News \u2014 Site - Mozilla Firefox", "Mozilla Firefox"},
        {"user@host: ~", ""},
        {"well-known-name", ""}, // a dash without spaces is part of a word
        {"Trailing - ", ""},
        {"  ", ""},
        {"", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(WindowApplicationIdentity::titleApplicationPart(test.title), test.part) << test.title;
    }
}

TEST(WindowApplicationIdentity, ResolvesTheApplicationOfAWindow)
{
    TemporaryFolder folder;
    const auto install = [&](const std::string& file, const std::string& body) {
        std::filesystem::create_directories(folder.path() / "applications");
        std::ofstream(folder.path() / "applications" / file) << "[Desktop Entry]\nType=Application\n" << body;
    };
    install("org.gnome.Nautilus.desktop", "Name=Files\nName[tr]=Dosyalar\n");
    install("org.kde.dolphin.desktop", "Name=Dolphin\n");
    install("google-chrome.desktop", "Name=Google Chrome\nStartupWMClass=Google-chrome\n");
    install("code.desktop", "Name=Visual Studio Code\nStartupWMClass=Code\n");
    install("blender.desktop", "Name=Blender\n");
    DesktopEntryIndex entries({folder.path()}, "tr_TR.UTF-8");

    struct Case {
        const char* what;
        WindowClassHints hints;
        FrontmostApplication expected;
    };
    const Case cases[] = {
        {"GTK application id", {"org.gnome.Nautilus", "", "org.gnome.Nautilus", "Org.gnome.Nautilus", "Home"},
            {ApplicationId("org.gnome.Nautilus"), "Dosyalar"}},
        {"KDE desktop file", {"", "org.kde.dolphin", "dolphin", "dolphin", "Home \u2014 Dolphin"},
            {ApplicationId("org.kde.dolphin"), "Dolphin"}},
        {"KDE desktop file as a path", {"", "/usr/share/applications/org.kde.dolphin.desktop", "", "", ""},
            {ApplicationId("org.kde.dolphin"), "Dolphin"}},
        {"declared id without an entry", {"org.example.Tool", "", "tool", "Tool", "Doc - Example Tool"},
            {ApplicationId("org.example.Tool"), "Example Tool"}},
        {"entry by StartupWMClass, aliased", {"", "", "google-chrome", "Google-chrome", "New Tab - Google Chrome"},
            {ApplicationId("com.google.Chrome"), "Google Chrome"}},
        {"entry by id, aliased", {"", "", "blender", "Blender", "Blender [scene.blend]"},
            {ApplicationId("org.blenderfoundation.blender"), "Blender"}},
        {"WM_CLASS only, aliased", {"", "", "codium", "VSCodium", "main.cpp - project - VSCodium"},
            {ApplicationId("com.microsoft.VSCode"), "VSCodium"}},
        {"WM_CLASS only", {"", "", "xterm", "XTerm", "user@host: ~"}, {ApplicationId("XTerm"), "XTerm"}},
        {"WM_CLASS without title", {"", "", "xclock", "XClock", ""}, {ApplicationId("XClock"), "XClock"}},
        {"instance only", {"", "", "tool", "", ""}, {ApplicationId("tool"), std::nullopt}},
        {"title only", {"", "", "", "", "Untitled - Sketch"}, {std::nullopt, "Sketch"}},
        {"title without an application part", {"", "", "", "", " Scratch "}, {std::nullopt, "Scratch"}},
        {"nothing", {}, {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(WindowApplicationIdentity::resolve(test.hints, entries), test.expected) << test.what;
    }
}

TEST(WindowApplicationIdentity, ResolvesAWaylandApplicationID)
{
    TemporaryFolder folder;
    std::filesystem::create_directories(folder.path() / "applications");
    std::ofstream(folder.path() / "applications/org.gnome.Nautilus.desktop")
        << "[Desktop Entry]\nType=Application\nName=Files\n";
    std::ofstream(folder.path() / "applications/firefox-esr.desktop")
        << "[Desktop Entry]\nType=Application\nName=Firefox ESR\nStartupWMClass=firefox\n";
    DesktopEntryIndex entries({folder.path()}, "C");

    struct Case {
        const char* appID;
        const char* title;
        FrontmostApplication expected;
    };
    const Case cases[] = {
        {"org.gnome.Nautilus", "Home", {ApplicationId("org.gnome.Nautilus"), "Files"}},
        {"org.gnome.Nautilus.desktop", "Home",
            {ApplicationId("org.gnome.Nautilus"), "Files"}}, // as GNOME Shell names it
        {"firefox", "News \u2014 Mozilla Firefox", {ApplicationId("firefox-esr"), "Firefox ESR"}}, // by StartupWMClass
        {"google-chrome", "New Tab - Google Chrome",
            {ApplicationId("com.google.Chrome"), "Google Chrome"}}, // no entry, aliased
        {"foot", "user@host: ~", {ApplicationId("foot"), "foot"}},
        {"", "Untitled - Sketch", {std::nullopt, "Sketch"}},
        {"", "", {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(WindowApplicationIdentity::resolveAppID(test.appID, test.title, entries), test.expected)
            << test.appID;
    }
}

} // namespace
} // namespace tarn::input
