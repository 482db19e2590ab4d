#include "Platform/Linux/Desktop/DesktopEntryIndex.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

namespace tarn::input {
namespace {

void write(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

std::string application(const std::string& body)
{
    return "[Desktop Entry]\nType=Application\n" + body;
}

TEST(DesktopEntryIndex, PicksTheNameForTheLocale)
{
    const std::string text = application("Name=Files\nName[tr]=Dosyalar\nName[pt_BR]=Arquivos\n"
                                         "Name[sr@latin]=Datoteke\nName[sr_RS@latin]=Fajlovi\n"
                                         "[Desktop Action new]\nName[de]=Neues Fenster\n");
    struct Case {
        const char* locale;
        const char* name;
    };
    const Case cases[] = {
        {"tr_TR.UTF-8", "Dosyalar"},
        {"pt_BR.UTF-8", "Arquivos"},
        {"pt_PT.UTF-8", "Files"},
        {"sr_RS.UTF-8@latin", "Fajlovi"},
        {"sr_ME@latin", "Datoteke"},
        {"de_DE.UTF-8", "Files"}, // only an action has German
        {"C", "Files"},
        {"", "Files"},
    };
    for (const auto& test : cases) {
        const auto entry = DesktopEntryIndex::parse(text, "files", test.locale);
        ASSERT_TRUE(entry) << test.locale;
        EXPECT_EQ(entry->name, test.name) << test.locale;
    }
}

TEST(DesktopEntryIndex, ReadsOnlyVisibleApplicationEntries)
{
    struct Case {
        const char* text;
        bool isEntry;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nType=Application\nName=A\n", true},
        {"[Desktop Entry]\nType=Link\nName=A\n", false},
        {"[Desktop Entry]\nType=Application\nHidden=true\nName=A\n", false},
        {"[Desktop Entry]\nType=Application\nNoDisplay=true\nName=A\n", true},
        {"[Other]\nType=Application\n", false},
        {"", false},
        {"\x01\x02garbage without lines", false},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(DesktopEntryIndex::parse(test.text, "a", "").has_value(), test.isEntry) << test.text;
    }
    const auto entry = DesktopEntryIndex::parse(" [Desktop Entry]\r\nType = Application\r\nName=My\\sApp\r\n"
                                                "StartupWMClass=my-app\r\nExec=\"/opt/my app/run\" %U \r\n"
                                                "Icon=my\\sapp\r\n",
        "a", "");
    ASSERT_TRUE(entry);
    EXPECT_EQ(*entry, (DesktopEntry {"a", "My App", "my-app", "\"/opt/my app/run\" %U", "my app"}));
}

class DesktopEntryFolders : public ::testing::Test {
protected:
    DesktopEntryIndex index()
    {
        return DesktopEntryIndex({m_folder.path() / "home", m_folder.path() / "system"}, "tr_TR.UTF-8");
    }
    void install(const std::string& folder, const std::string& relative, const std::string& body)
    {
        write(m_folder.path() / folder / "applications" / relative, application(body));
    }

    TemporaryFolder m_folder;
};

TEST_F(DesktopEntryFolders, MatchesWindowClasses)
{
    install("system", "google-chrome.desktop", "Name=Google Chrome\n");
    install("system", "code.desktop", "Name=Visual Studio Code\nStartupWMClass=Code\n");
    install("system", "org.gnome.Terminal.desktop", "Name=Terminal\nName[tr]=Uçbirim\nStartupWMClass=Gnome-terminal\n");
    install("system", "kde4/kate.desktop", "Name=Kate\n");
    install("system", "vendor/deep/er/and/deeper/x.desktop", "Name=Too Deep\nStartupWMClass=Deep\n");
    auto entries = index();
    struct Case {
        const char* instance;
        const char* className;
        std::optional<std::string> id;
    };
    const Case cases[] = {
        {"google-chrome", "Google-chrome", "google-chrome"}, // by id, letter case aside
        {"code", "Code", "code"}, // by StartupWMClass
        {"gnome-terminal-server", "Gnome-terminal", "org.gnome.Terminal"},
        {"", "gnome-terminal", "org.gnome.Terminal"}, // StartupWMClass, letter case aside
        {"kde4-kate", "", "kde4-kate"}, // a subfolder joins the id with "-"
        {"deep", "Deep", std::nullopt}, // deeper than the index reads
        {"xterm", "XTerm", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const auto& test : cases) {
        const auto entry = entries.entryForWindowClass(test.instance, test.className);
        EXPECT_EQ(entry ? std::optional(entry->id) : std::nullopt, test.id) << test.className;
    }
    EXPECT_EQ(entries.entryForID("org.gnome.Terminal")->name, "Uçbirim");
    EXPECT_FALSE(entries.entryForID("org.gnome.terminal"));
}

TEST_F(DesktopEntryFolders, FirstFolderWinsAndHiddenEntriesHideLowerOnes)
{
    install("home", "editor.desktop", "Name=My Editor\n");
    install("system", "editor.desktop", "Name=Editor\n");
    install("home", "player.desktop", "Name=Player\nHidden=true\n");
    install("system", "player.desktop", "Name=Player\nStartupWMClass=Player\n");
    auto entries = index();
    EXPECT_EQ(entries.entryForID("editor")->name, "My Editor");
    EXPECT_FALSE(entries.entryForID("player"));
    EXPECT_FALSE(entries.entryForWindowClass("player", "Player"));
}

TEST_F(DesktopEntryFolders, SeesApplicationsInstalledAfterTheFirstLookup)
{
    auto entries = index();
    EXPECT_FALSE(entries.entryForID("late"));
    install("system", "late.desktop", "Name=Late\n");
    EXPECT_EQ(entries.entryForID("late")->name, "Late");
}

TEST_F(DesktopEntryFolders, SkipsOversizedFiles)
{
    install("system", "huge.desktop", "Name=Huge\n" + std::string(70 * 1024, '#'));
    EXPECT_FALSE(index().entryForID("huge"));
}

TEST(DesktopEntryIndexEnvironment, FollowsTheXdgDataFolders)
{
    TemporaryFolder folder;
    write(folder.path() / "home/applications/a.desktop", application("Name=Home A\n"));
    write(folder.path() / "one/applications/a.desktop", application("Name=One A\n"));
    write(folder.path() / "two/applications/b.desktop", application("Name=Two B\nName[de]=Zwei B\n"));
    const auto lookup = [&](std::string_view name) -> std::optional<std::string> {
        if (name == "XDG_DATA_HOME") {
            return (folder.path() / "home").string();
        }
        if (name == "XDG_DATA_DIRS") {
            return "relative/ignored:" + (folder.path() / "one").string() + ":" + (folder.path() / "two").string();
        }
        if (name == "LC_MESSAGES") {
            return "de_DE.UTF-8";
        }
        return std::nullopt;
    };
    auto entries = DesktopEntryIndex::fromEnvironment(lookup);
    EXPECT_EQ(entries.entryForID("a")->name, "Home A");
    EXPECT_EQ(entries.entryForID("b")->name, "Zwei B");
}

} // namespace
} // namespace tarn::input
