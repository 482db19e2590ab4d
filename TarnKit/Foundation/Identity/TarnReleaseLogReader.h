#pragma once

// Reads the release notes the program ships with: release-log.jsonl among the program's
// resources, one JSON record per line, oldest first in the file. Nothing is cached; each call
// reads the file anew.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "TarnKit/Foundation/Identity/TarnReleaseLogRecord.h"

namespace tarn {

class TarnReleaseLogReader {
public:
    static constexpr std::string_view kResourceName = "release-log.jsonl";

    // The records of `app` (compared lower-cased, untrimmed; every record when absent), newest
    // first, that is in reverse file order. A missing, unreadable, empty or not-UTF-8 file gives
    // none; lines that do not decode are skipped.
    static std::vector<TarnReleaseLogRecord> load(
        const std::filesystem::path& file, std::optional<std::string_view> app);
    // load() of release-log.jsonl in `resourcesFolder` (the program's resources by default).
    static std::vector<TarnReleaseLogRecord> loadBundled(std::optional<std::string_view> app);
    static std::vector<TarnReleaseLogRecord> loadBundled(
        std::optional<std::string_view> app, const std::filesystem::path& resourcesFolder);
};

} // namespace tarn
