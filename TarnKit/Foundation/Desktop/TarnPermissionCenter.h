#pragma once

// Checks the program's privacy permissions and shows how to grant them. Nothing is cached and no
// text is worded here: callers ask whenever they need to know and choose their own messages.
//
// Linux has no system dialog that grants a permission to a program, so nothing ever prompts, and
// the "settings page" of each kind is a section of the program's own help page, which explains
// the udev rule and the input group.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Desktop/TarnSystemPermissionKind.h"
#include "TarnKit/Foundation/Files/ProgramResources.h"
#include "TarnKit/Foundation/Ports/PermissionBackend.h"
#include "TarnKit/Foundation/Ports/UrlOpener.h"

namespace tarn {

class TarnPermissionCenter {
public:
    static constexpr std::string_view kHelpPageName = "permission-help.html";

    TarnPermissionCenter(PermissionBackend& backend, UrlOpener& opener,
        std::filesystem::path helpPage = ProgramResources::path(kHelpPageName));

    // `prompt` is accepted for callers written for systems that ask the user; nothing is shown.
    bool isAccessibilityGranted(bool prompt) const;
    bool isScreenRecordingGranted() const;
    // Opens the kind's section of the help page; does nothing when the page is not installed.
    void openSystemSettings(TarnSystemPermissionKind kind) const;

    // "file:///…/permission-help.html#accessibility", or absent when the page is missing.
    std::optional<std::string> settingsAddress(TarnSystemPermissionKind kind) const;

private:
    PermissionBackend& m_backend;
    UrlOpener& m_opener;
    std::filesystem::path m_helpPage;
};

} // namespace tarn
