#include "Platform/Linux/Desktop/FileManagerFolderRevealer.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

// A stand-in program that writes its arguments, one a line, to `record` and exits with `status`.
fs::path recordingProgram(const fs::path& folder, const std::string& name, const fs::path& record, int status)
{
    const auto program = folder / name;
    std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << record.string() << ".part'\nmv '"
                           << record.string() << ".part' '" << record.string() << "'\nexit " << status << "\n";
    fs::permissions(program, fs::perms::owner_all);
    return program;
}

// Waits for a child process to leave its record (the children are real processes, not timers).
std::optional<std::string> awaitRecord(const fs::path& record)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!fs::exists(record)) {
        return std::nullopt;
    }
    std::ifstream stream(record);
    std::stringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

class FileManagerFolderRevealerTest : public ::testing::Test {
protected:
    FileManagerFolderRevealerTest()
    {
        fs::create_directories(m_folder.path() / "log files");
        std::ofstream(logFile()) << "x";
    }

    fs::path logFile() const { return m_folder.path() / "log files" / "tarn input.log"; }
    fs::path dbusRecord() const { return m_folder.path() / "dbus-send.args"; }
    fs::path openerRecord() const { return m_folder.path() / "xdg-open.args"; }
    std::string dbusSend(int status) const
    {
        return recordingProgram(m_folder.path(), "dbus-send", dbusRecord(), status).string();
    }
    std::string opener() const { return recordingProgram(m_folder.path(), "xdg-open", openerRecord(), 0).string(); }

    TemporaryFolder m_folder;
};

TEST_F(FileManagerFolderRevealerTest, AFileIsShownSelectedByTheFileManager)
{
    FileManagerFolderRevealer revealer(dbusSend(0), opener());
    ASSERT_TRUE(revealer.reveal(logFile()));
    const auto arguments = awaitRecord(dbusRecord());
    ASSERT_TRUE(arguments);
    EXPECT_EQ(*arguments,
        "--session\n--print-reply\n--dest=org.freedesktop.FileManager1\n--type=method_call\n"
        "/org/freedesktop/FileManager1\norg.freedesktop.FileManager1.ShowItems\narray:string:file://"
            + m_folder.path().string() + "/log%20files/tarn%20input.log\nstring:\n");
}

// No file manager answers on the bus (dbus-send fails), or dbus-send is not installed: the
// folder opens instead.
TEST_F(FileManagerFolderRevealerTest, WithoutAFileManagerTheFolderOpens)
{
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "no answer" : "no dbus-send");
        fs::remove(openerRecord());
        FileManagerFolderRevealer revealer(installed ? dbusSend(1) : "tarn-no-such-program", opener());
        ASSERT_TRUE(revealer.reveal(logFile()));
        EXPECT_EQ(awaitRecord(openerRecord()), m_folder.path().string() + "/log files\n");
    }
}

TEST_F(FileManagerFolderRevealerTest, AFolderIsOpenedAndNothingStartableFails)
{
    FileManagerFolderRevealer revealer(dbusSend(0), opener());
    ASSERT_TRUE(revealer.reveal(logFile().parent_path()));
    EXPECT_EQ(awaitRecord(openerRecord()), m_folder.path().string() + "/log files\n");
    EXPECT_FALSE(fs::exists(dbusRecord()));

    FileManagerFolderRevealer nothing("tarn-no-such-program", "tarn-no-such-program");
    EXPECT_FALSE(nothing.reveal(logFile()));
    EXPECT_FALSE(nothing.reveal(logFile().parent_path()));
}

} // namespace
} // namespace tarn
