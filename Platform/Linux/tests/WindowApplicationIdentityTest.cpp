#include "Platform/Linux/X11/WindowApplicationIdentity.h"

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
            {"org.gnome.Nautilus", "Dosyalar"}},
        {"KDE desktop file", {"", "org.kde.dolphin", "dolphin", "dolphin", "Home \u2014 Dolphin"},
            {"org.kde.dolphin", "Dolphin"}},
        {"KDE desktop file as a path", {"", "/usr/share/applications/org.kde.dolphin.desktop", "", "", ""},
            {"org.kde.dolphin", "Dolphin"}},
        {"declared id without an entry", {"org.example.Tool", "", "tool", "Tool", "Doc - Example Tool"},
            {"org.example.Tool", "Example Tool"}},
        {"entry by StartupWMClass, aliased", {"", "", "google-chrome", "Google-chrome", "New Tab - Google Chrome"},
            {"com.google.Chrome", "Google Chrome"}},
        {"entry by id, aliased", {"", "", "blender", "Blender", "Blender [scene.blend]"},
            {"org.blenderfoundation.blender", "Blender"}},
        {"WM_CLASS only, aliased", {"", "", "codium", "VSCodium", "main.cpp - project - VSCodium"},
            {"com.microsoft.VSCode", "VSCodium"}},
        {"WM_CLASS only", {"", "", "xterm", "XTerm", "user@host: ~"}, {"XTerm", "XTerm"}},
        {"WM_CLASS without title", {"", "", "xclock", "XClock", ""}, {"XClock", "XClock"}},
        {"instance only", {"", "", "tool", "", ""}, {"tool", std::nullopt}},
        {"title only", {"", "", "", "", "Untitled - Sketch"}, {std::nullopt, "Sketch"}},
        {"title without an application part", {"", "", "", "", " Scratch "}, {std::nullopt, "Scratch"}},
        {"nothing", {}, {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(WindowApplicationIdentity::resolve(test.hints, entries), test.expected) << test.what;
    }
}

} // namespace
} // namespace tarn::input
