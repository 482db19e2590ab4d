#pragma once

// Reveals files through the freedesktop file-manager interface: org.freedesktop.FileManager1
// ShowItems on the session bus (sent with dbus-send) shows a file selected in its folder in
// Nautilus, Dolphin, Nemo, Caja, Thunar and others. Where no file manager answers, and for
// folders, xdg-open opens the folder instead. Nothing here waits for either program.

#include <string>

#include "TarnKit/Foundation/Ports/FolderRevealer.h"

namespace tarn {

class FileManagerFolderRevealer final : public FolderRevealer {
public:
    // Both programs are looked up in $PATH; tests give stand-ins.
    explicit FileManagerFolderRevealer(std::string dbusSend = "dbus-send", std::string opener = "xdg-open");

    bool reveal(const std::filesystem::path& item) override;

private:
    std::string m_dbusSend;
    std::string m_opener;
};

} // namespace tarn
