#include "Platform/Linux/Desktop/FileManagerFolderRevealer.h"

#include <utility>

#include "Platform/Linux/Desktop/DetachedProcess.h"
#include "TarnKit/Foundation/Files/FileUrl.h"

namespace tarn {

FileManagerFolderRevealer::FileManagerFolderRevealer(std::string dbusSend, std::string opener)
    : m_dbusSend(std::move(dbusSend))
    , m_opener(std::move(opener))
{
}

bool FileManagerFolderRevealer::reveal(const std::filesystem::path& item)
{
    // Absolute, so that no argument can start with "-" and be read as an option.
    const auto absolute = std::filesystem::absolute(item);
    std::error_code error;
    if (std::filesystem::is_directory(absolute, error)) {
        return DetachedProcess::start({m_opener, absolute.string()});
    }
    const auto folder = absolute.parent_path();
    auto openFolder = [opener = m_opener, folder] { return DetachedProcess::start({opener, folder.string()}); };
    // --print-reply makes dbus-send wait for the answer, so its exit status says whether a file
    // manager showed the item; the last argument is the startup-notification id, none here.
    const bool asked = DetachedProcess::start(
        {m_dbusSend, "--session", "--print-reply", "--dest=org.freedesktop.FileManager1", "--type=method_call",
            "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1.ShowItems",
            "array:string:" + FileUrl::from(absolute), "string:"},
        [openFolder](int exitStatus) {
            if (exitStatus != 0) {
                (void)openFolder();
            }
        });
    return asked || openFolder();
}

} // namespace tarn
