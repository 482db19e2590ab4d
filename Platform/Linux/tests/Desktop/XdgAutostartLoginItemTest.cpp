#include "Platform/Linux/Desktop/XdgAutostartLoginItem.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Desktop/TarnLaunchAtLogin.h"
#include "tests/TemporaryFolder.h"

#include <sys/stat.h>

namespace tarn {
namespace {

std::string read(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void write(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

class XdgAutostart : public ::testing::Test {
protected:
    XdgPaths paths() const
    {
        XdgPaths result;
        result.configHome = m_folder.path() / "config";
        return result;
    }

    std::filesystem::path entry() const { return m_folder.path() / "config/autostart/tarn.desktop"; }

    TemporaryFolder m_folder;
    XdgAutostartLoginItem m_item {paths(), "/opt/Tarn Input/bin/tarninput", "tarn.desktop", "TarnInput"};
    TarnLaunchAtLogin m_launch {m_item};
};

TEST_F(XdgAutostart, WritesAFreshEntryAndHidesItWhenTurnedOff)
{
    EXPECT_EQ(m_item.entryPath(), entry());
    EXPECT_FALSE(m_launch.isEnabled());
    EXPECT_TRUE(m_launch.setEnabled(false)) << "off already";
    EXPECT_FALSE(std::filesystem::exists(entry()));

    ASSERT_TRUE(m_launch.setEnabled(true));
    EXPECT_TRUE(m_launch.isEnabled());
    EXPECT_EQ(read(entry()),
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=TarnInput\n"
        "Exec=\"/opt/Tarn Input/bin/tarninput\"\n");

    ASSERT_TRUE(m_launch.setEnabled(false));
    EXPECT_FALSE(m_launch.isEnabled());
    EXPECT_EQ(read(entry()),
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=TarnInput\n"
        "Exec=\"/opt/Tarn Input/bin/tarninput\"\n"
        "Hidden=true\n");
    ASSERT_TRUE(m_launch.setEnabled(true));
    EXPECT_TRUE(m_launch.isEnabled());
    EXPECT_NE(read(entry()).find("Hidden=false\n"), std::string::npos);
}

TEST_F(XdgAutostart, KeepsWhatTheUserChangedInTheEntry)
{
    const std::string edited = "# started a little later\n"
                               "[Desktop Entry]\n"
                               "Type=Application\n"
                               "Name=TarnInput\n"
                               "Name[tr]=TarnInput (Türkçe)\n"
                               "Exec=tarninput --minimized\n"
                               "Hidden = true\n"
                               "X-GNOME-Autostart-Delay=10\n"
                               "\n"
                               "[Desktop Action Extra]\n"
                               "Exec=other\n";
    write(entry(), edited);
    EXPECT_FALSE(m_launch.isEnabled());

    ASSERT_TRUE(m_launch.setEnabled(true));
    EXPECT_TRUE(m_launch.isEnabled());
    std::string expected = edited;
    expected.replace(expected.find("Hidden = true"), 13, "Hidden=false");
    EXPECT_EQ(read(entry()), expected);

    ASSERT_TRUE(m_launch.setEnabled(false));
    expected.replace(expected.find("Hidden=false"), 12, "Hidden=true");
    EXPECT_EQ(read(entry()), expected);
}

TEST_F(XdgAutostart, ReadsEveryWayAnEntryCanBeSwitchedOff)
{
    struct Case {
        const char* text;
        bool enabled;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=tarninput\n", true},
        {"[Desktop Entry]\nExec=tarninput\nHidden=false\nX-GNOME-Autostart-enabled=true\n", true},
        {"[Desktop Entry]\nExec=tarninput\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=tarninput\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nType=Application\n", false},
        {"[Desktop Entry]\nExec=\n", false},
        {"[Other]\nExec=tarninput\n", false},
        {"[Other]\nExec=tarninput\n[Desktop Entry]\nExec=tarninput\n[Later]\nHidden=true\n", true},
        {"", false},
    };
    for (const auto& c : cases) {
        write(entry(), c.text);
        EXPECT_EQ(m_launch.isEnabled(), c.enabled) << c.text;
    }

    // Switching on a gnome-disabled entry switches it on for GNOME too.
    write(entry(), "[Desktop Entry]\nExec=tarninput\nX-GNOME-Autostart-enabled=false\n");
    ASSERT_TRUE(m_launch.setEnabled(true));
    EXPECT_EQ(read(entry()),
        "[Desktop Entry]\nExec=tarninput\nX-GNOME-Autostart-enabled=true\nType=Application\n"
        "Name=TarnInput\n");
}

TEST_F(XdgAutostart, FailedWriteReturnsFalseAndChangesNothing)
{
    // Both fail for root as well: the entry's path is a folder, or the autostart folder is a file.
    std::filesystem::create_directories(entry() / "child");
    EXPECT_FALSE(m_launch.setEnabled(true));
    EXPECT_FALSE(m_launch.isEnabled());
    EXPECT_TRUE(std::filesystem::is_directory(entry() / "child"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(entry().parent_path()), {}), 1)
        << "no temporary file stays behind";

    std::filesystem::remove_all(entry().parent_path());
    write(entry().parent_path(), "not a folder");
    EXPECT_FALSE(m_launch.setEnabled(true));
    EXPECT_FALSE(m_launch.isEnabled());
    EXPECT_EQ(read(entry().parent_path()), "not a folder");
}

TEST_F(XdgAutostart, ALinkedEntryStaysALink)
{
    const auto target = m_folder.path() / "dotfiles/tarn.desktop";
    write(target, "[Desktop Entry]\nExec=tarninput\n");
    std::filesystem::create_directories(entry().parent_path());
    std::filesystem::create_symlink("../../dotfiles/tarn.desktop", entry());

    ASSERT_TRUE(m_launch.isEnabled());
    ASSERT_TRUE(m_launch.setEnabled(false));
    EXPECT_TRUE(std::filesystem::is_symlink(entry()));
    EXPECT_EQ(read(target), "[Desktop Entry]\nExec=tarninput\nHidden=true\n");
    EXPECT_FALSE(m_launch.isEnabled());
}

TEST(XdgAutostartLoginItem, ExecQuotesAndEscapesThePath)
{
    TemporaryFolder folder;
    XdgPaths paths;
    paths.configHome = folder.path();
    XdgAutostartLoginItem item(paths, R"(/home/a "b"/50%\x)", "t.desktop", "T");
    ASSERT_TRUE(item.setRegistered(true));
    EXPECT_NE(read(item.entryPath()).find(R"(Exec="/home/a \\"b\\"/50%%\\\\x")"), std::string::npos)
        << read(item.entryPath());
}

// A name or path with a line break must not add keys of its own (an Exec= line would run
// anything at the next login).
TEST(XdgAutostartLoginItem, EveryValueIsEscapedSoNoneCanAddALine)
{
    const struct {
        std::string executable;
        std::string displayName;
        std::string nameLine;
        std::string execLine;
    } cases[] {
        {"/opt/tarninput", "Tarn\nExec=/bin/evil", "Name=Tarn\\nExec=/bin/evil", "Exec=/opt/tarninput"},
        {"/opt/tarninput", " Tarn\t\r", "Name=\\sTarn\\t\\r", "Exec=/opt/tarninput"},
        {"/opt/t\rx", "T", "Name=T", "Exec=\"/opt/t\\rx\""},
        {"/opt/t\nExec=/bin/evil", "T", "Name=T", "Exec=\"/opt/t\\nExec=/bin/evil\""},
        {"/opt/t\tx", "T\\", "Name=T\\\\", "Exec=\"/opt/t\\tx\""},
    };
    for (const auto& [executable, displayName, nameLine, execLine] : cases) {
        TemporaryFolder folder;
        XdgPaths paths;
        paths.configHome = folder.path();
        XdgAutostartLoginItem item(paths, executable, "t.desktop", displayName);
        ASSERT_TRUE(item.setRegistered(true));
        EXPECT_EQ(read(item.entryPath()), "[Desktop Entry]\nType=Application\n" + nameLine + "\n" + execLine + "\n");
        EXPECT_TRUE(item.isRegistered());
    }
}

TEST(XdgAutostartLoginItem, AFileNameMustStayInsideTheAutostartFolder)
{
    for (const std::string fileName : {"../evil.desktop", "sub/t.desktop", "/tmp/t.desktop", "..", "."}) {
        TemporaryFolder folder;
        XdgPaths paths;
        paths.configHome = folder.path() / "config";
        XdgAutostartLoginItem item(paths, "/opt/tarninput", fileName, "T");
        EXPECT_TRUE(item.entryPath().empty()) << fileName;
        EXPECT_FALSE(item.setRegistered(true)) << fileName;
        EXPECT_FALSE(item.isRegistered()) << fileName;
        EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << fileName;
    }
}

// Session managers read the entry as whatever user they run as; an umask must not hide it.
TEST(XdgAutostartLoginItem, ANewEntryIsReadableByAll)
{
    TemporaryFolder folder;
    XdgPaths paths;
    paths.configHome = folder.path();
    XdgAutostartLoginItem item(paths, "/opt/tarninput", "t.desktop", "T");
    const mode_t previous = ::umask(077);
    const bool registered = item.setRegistered(true);
    ::umask(previous);
    ASSERT_TRUE(registered);
    struct stat info { };
    ASSERT_EQ(::stat(item.entryPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

} // namespace
} // namespace tarn
