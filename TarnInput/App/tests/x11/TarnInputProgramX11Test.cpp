// The real program in an X session with a window manager and a tray host, in a home folder of
// its own: it opens the studio, Alt+Super+H toggles the key HUD once per press (also with the
// studio focused, where the global hotkey and the window's shortcut could both answer), a second
// launch brings the closed studio back and exits 0, and a stop signal or Quit in the tray icon's
// menu ends it with 0.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr auto kDeadline = 15s;
const QString kTitle = QStringLiteral("TarnInput — by Harrowfen");

// Polls an outside process's state until `done` or the deadline.
bool eventually(const std::function<bool()>& done)
{
    const auto until = std::chrono::steady_clock::now() + kDeadline;
    while (std::chrono::steady_clock::now() < until) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return done();
}

QString run(const QStringList& command)
{
    QProcess process;
    process.start(command.front(), command.mid(1));
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class ProgramSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        ASSERT_TRUE(QDir(m_home.path()).mkpath("runtime"));
        QFile::setPermissions(
            m_home.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            m_environment.remove(variable);
        }
        m_environment.insert("HOME", m_home.path());
        m_environment.insert("XDG_RUNTIME_DIR", m_home.filePath("runtime"));
        m_environment.insert("QT_QPA_PLATFORM", "xcb");
        m_settingsFolder = std::filesystem::path(m_home.path().toStdString()) / ".config" / "TarnInput";
        std::filesystem::create_directories(m_settingsFolder);
        m_notices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(::inotify_add_watch(m_notices, m_settingsFolder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
    }

    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
        ::close(m_notices);
    }

    void start(QProcess& process)
    {
        process.setProcessEnvironment(m_environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(TARN_PROGRAM, {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }

    QString visibleStudio() { return run({"xdotool", "search", "--onlyvisible", "--name", kTitle}); }

    int visibleWindows()
    {
        const QString pid = QString::number(m_program.processId());
        return static_cast<int>(
            run({"xdotool", "search", "--onlyvisible", "--pid", pid}).split('\n', Qt::SkipEmptyParts).size());
    }

    // The tray icon: the program's small visible window (trayer embeds it).
    QString trayIcon()
    {
        const QString pid = QString::number(m_program.processId());
        for (const QString& window : run({"xdotool", "search", "--onlyvisible", "--pid", pid}).split('\n')) {
            const QString shell = run({"xdotool", "getwindowgeometry", "--shell", window});
            const auto width = shell.section("WIDTH=", 1).section('\n', 0, 0).toInt();
            if (width > 0 && width < 64) {
                return window;
            }
        }
        return {};
    }

    // Saves of the settings file since the last call: each is one file written into the folder.
    int saves()
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t length = 0;
        while ((length = ::read(m_notices, buffer, sizeof buffer)) > 0) {
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                if (event->len > 0 && std::string(event->name) == "input-settings.json") {
                    ++count;
                }
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

    bool stored(const char* key)
    {
        std::ifstream file(m_settingsFolder / "input-settings.json");
        const auto json = nlohmann::json::parse(file, nullptr, false);
        return !json.is_discarded() && json.value(key, false);
    }

    // Presses the chord, waits for the save it causes, and lets a second answer show up if there
    // were one.
    void pressChord(const QString& chord)
    {
        saves();
        run({"xdotool", "key", chord});
        int seen = 0;
        EXPECT_TRUE(eventually([&] { return (seen += saves()) > 0; })) << "the chord saved nothing";
        std::this_thread::sleep_for(700ms);
        seen += saves();
        EXPECT_EQ(seen, 1) << "one press, one toggle";
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    std::filesystem::path m_settingsFolder;
    int m_notices = -1;
    QProcess m_program;
};

TEST_F(ProgramSession, OpensTheStudioTogglesOncePerChordReopensAndQuitsCleanly)
{
    start(m_program);
    ASSERT_TRUE(eventually([&] { return !visibleStudio().isEmpty(); })) << "no studio window";
    const QString window = visibleStudio().split('\n').front();

    pressChord("alt+super+h");
    EXPECT_TRUE(stored("keyHUDEnabled"));
    run({"xdotool", "windowactivate", "--sync", window});
    ASSERT_TRUE(eventually([&] { return run({"xdotool", "getactivewindow"}) == window; }));
    pressChord("alt+super+h");
    EXPECT_FALSE(stored("keyHUDEnabled")) << "with the studio focused too";
    pressChord("alt+super+e");
    EXPECT_FALSE(stored("engineEnabled")) << "the studio's own shortcut";

    // Closing the studio only hides it; a second launch brings it back and leaves at once.
    // The window manager's close (Alt+F4 in openbox) asks the window to close, as its button does.
    run({"xdotool", "windowactivate", "--sync", window, "key", "alt+F4"});
    ASSERT_TRUE(eventually([&] { return visibleStudio().isEmpty(); }));
    EXPECT_EQ(m_program.state(), QProcess::Running) << "closing the window does not quit";
    QProcess second;
    start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(eventually([&] { return !visibleStudio().isEmpty(); })) << "the first copy shows its studio";

    ::kill(static_cast<pid_t>(m_program.processId()), SIGTERM);
    ASSERT_TRUE(m_program.waitForFinished(10000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
}

// A minimised studio comes back, in front and focused, from a second launch (the popover's "Open
// Studio" takes the same path; its own test runs offscreen).
TEST_F(ProgramSession, AMinimisedStudioComesBackInFront)
{
    start(m_program);
    ASSERT_TRUE(eventually([&] { return !visibleStudio().isEmpty(); })) << "no studio window";
    const QString window = visibleStudio().split('\n').front();
    // Asked again until the window manager has done it: a loaded machine may map the window late.
    const auto minimise = [&] {
        return eventually([&] {
            run({"xdotool", "windowminimize", window});
            return visibleStudio().isEmpty();
        });
    };
    const auto inFront = [&] {
        return eventually([&] { return visibleStudio() == window && run({"xdotool", "getactivewindow"}) == window; });
    };

    ASSERT_TRUE(minimise()) << "the window manager did not minimise the studio";
    QProcess second;
    start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(inFront()) << "a second launch restores the minimised studio";

    // A second time, now that the window was restored once.
    ASSERT_TRUE(minimise());
    QProcess third;
    start(third);
    ASSERT_TRUE(third.waitForFinished(10000));
    EXPECT_TRUE(inFront()) << "and again";
}

TEST_F(ProgramSession, QuitInTheTrayMenuEndsTheProgramWithZero)
{
    start(m_program);
    QString icon;
    ASSERT_TRUE(eventually([&] { return !(icon = trayIcon()).isEmpty(); })) << "no icon in the tray";
    const int before = visibleWindows();
    run({"xdotool", "mousemove", "--window", icon, "8", "8", "click", "3"});
    ASSERT_TRUE(eventually([&] { return visibleWindows() > before; })) << "the menu did not open";
    // The last entry of the menu is Quit.
    run({"xdotool", "key", "Up", "Return"});
    ASSERT_TRUE(m_program.waitForFinished(10000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
}

} // namespace
