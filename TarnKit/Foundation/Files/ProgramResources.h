#pragma once

// Where the program's own read-only files live (release notes, language packs, help pages):
// <prefix>/share/tarninput when installed, else the source tree's resources/ folder, so that an
// uninstalled build finds them too.

#include <filesystem>
#include <string_view>

namespace tarn {

class ProgramResources {
public:
    // The installed folder when it exists, else the build's resources folder.
    static std::filesystem::path folder();
    // `name` inside folder(), e.g. path("release-log.jsonl").
    static std::filesystem::path path(std::string_view name);
};

} // namespace tarn
