#include "TarnInput/Screens/tests/ScreenFixture.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "TarnKit/UI/Glass/TarnProductPalette.h"

#include <sys/inotify.h>
#include <unistd.h>

namespace tarn::input::testing {

ScreenFixture::ScreenFixture()
{
    // The store replaces the file by renaming a finished temporary file over it: one rename
    // into the folder under the file's name is one save. The renames out of the temporary
    // names are watched too, only so that the kernel never merges two saves in a row into one
    // notice (it merges identical notices that follow each other unread).
    const auto folder = harness.settingsFile().parent_path();
    std::filesystem::create_directories(folder);
    m_notices = UniqueFd::adopt(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    EXPECT_TRUE(m_notices) << std::strerror(errno);
    EXPECT_GE(::inotify_add_watch(m_notices.get(), folder.c_str(), IN_MOVED_FROM | IN_MOVED_TO), 0)
        << std::strerror(errno);
}

InputStudioViewModel& ScreenFixture::start()
{
    auto& vm = harness.start();
    // Recorded when the error flag is published, which comes after the message.
    QObject::connect(&vm, &InputStudioViewModel::toastIsErrorChanged, [this, &vm] {
        m_toasts.push_back({vm.toastMessage().value_or(""), vm.toastIsError()});
    });
    forgetSaves();
    return vm;
}

int ScreenFixture::saves()
{
    drainFileNotices();
    return m_saves;
}

void ScreenFixture::forgetSaves()
{
    drainFileNotices();
    m_saves = 0;
}

void ScreenFixture::drainFileNotices()
{
    const auto fileName = harness.settingsFile().filename().string();
    alignas(inotify_event) std::array<char, 4096> buffer {};
    while (true) {
        const auto length = ::read(m_notices.get(), buffer.data(), buffer.size());
        if (length <= 0) {
            return;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
            if ((notice->mask & IN_MOVED_TO) != 0 && notice->len > 0 && fileName == notice->name) {
                ++m_saves;
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
        }
    }
}

QColor ScreenFixture::accent()
{
    return accentColor(TarnProductPalette::deepAbyss);
}

} // namespace tarn::input::testing
