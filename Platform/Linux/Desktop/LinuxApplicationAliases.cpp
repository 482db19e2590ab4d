#include "Platform/Linux/Desktop/LinuxApplicationAliases.h"

#include <algorithm>
#include <array>

#include "TarnInputCore/Model/Profiles/ApplicationId.h"

namespace tarn::input {

namespace {

struct Alias {
    std::string_view linuxID; // lower case
    std::string_view identifier;
};

constexpr std::string_view kChrome = "com.google.Chrome";
constexpr std::string_view kVSCode = "com.microsoft.VSCode";
constexpr std::string_view kFigma = "com.figma.Desktop";
constexpr std::string_view kBlender = "org.blenderfoundation.blender";

// Desktop-file ids of distribution packages, Flatpak and Snap, and the WM_CLASS the windows carry
// when no desktop file is found. Chromium and VSCodium are builds of the same programs and take
// the same shortcuts, so they share the identifiers.
constexpr std::array kAliases {
    Alias {"google-chrome", kChrome},
    Alias {"google-chrome-stable", kChrome},
    Alias {"google-chrome-beta", kChrome},
    Alias {"google-chrome-unstable", kChrome},
    Alias {"com.google.chrome", kChrome},
    Alias {"chromium", kChrome},
    Alias {"chromium-browser", kChrome},
    Alias {"chromium_chromium", kChrome},
    Alias {"org.chromium.chromium", kChrome},
    Alias {"code", kVSCode},
    Alias {"code-oss", kVSCode},
    Alias {"code - oss", kVSCode},
    Alias {"code_code", kVSCode},
    Alias {"visual-studio-code", kVSCode},
    Alias {"com.visualstudio.code", kVSCode},
    Alias {"com.visualstudio.code-oss", kVSCode},
    Alias {"codium", kVSCode},
    Alias {"codium_codium", kVSCode},
    Alias {"vscodium", kVSCode},
    Alias {"com.vscodium.codium", kVSCode},
    Alias {"figma-linux", kFigma},
    Alias {"figma-linux_figma-linux", kFigma},
    Alias {"io.github.figma_linux.figma_linux", kFigma},
    Alias {"blender", kBlender},
    Alias {"blender_blender", kBlender},
    Alias {"org.blender.blender", kBlender},
};

} // namespace

std::optional<std::string_view> LinuxApplicationAliases::aliasFor(std::string_view linuxID)
{
    const ApplicationId id(linuxID);
    const auto found = std::find_if(
        kAliases.begin(), kAliases.end(), [&](const Alias& alias) { return id.lowercased() == alias.linuxID; });
    if (found == kAliases.end()) {
        return std::nullopt;
    }
    return found->identifier;
}

} // namespace tarn::input
