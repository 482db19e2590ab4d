#include "TarnKit/Foundation/Identity/TarnReleaseLogReader.h"

#include <algorithm>

#include "TarnKit/Foundation/Files/ProgramResources.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

// The release notes ship with the program; anything far larger is not them.
constexpr std::uintmax_t kLargestReleaseLog = 16u << 20;

} // namespace

std::vector<TarnReleaseLogRecord> TarnReleaseLogReader::load(
    const std::filesystem::path& file, std::optional<std::string_view> app)
{
    std::vector<TarnReleaseLogRecord> records;
    const auto contents = WholeFile::read(file, kLargestReleaseLog);
    // A file that is not UTF-8 throughout is unreadable as a whole, not line by line.
    if (!contents || contents->empty() || !UnicodeText::isValidUtf8(*contents)) {
        return records;
    }
    const std::optional<std::string> wantedApp = app ? std::optional(UnicodeText::lowercased(*app)) : std::nullopt;

    const std::string_view text = *contents;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const auto line = text.substr(begin, end - begin);
        begin = end + 1;
        if (line.empty()) {
            continue;
        }
        const auto json = StrictJson::parse(line);
        if (!json) {
            continue;
        }
        auto record = TarnReleaseLogRecord::fromJson(*json);
        if (!record) {
            continue;
        }
        if (wantedApp && UnicodeText::lowercased(record->app) != *wantedApp) {
            continue;
        }
        records.push_back(std::move(*record));
    }
    // The file is chronological; the newest release comes first.
    std::reverse(records.begin(), records.end());
    return records;
}

std::vector<TarnReleaseLogRecord> TarnReleaseLogReader::loadBundled(std::optional<std::string_view> app)
{
    return loadBundled(app, ProgramResources::folder());
}

std::vector<TarnReleaseLogRecord> TarnReleaseLogReader::loadBundled(
    std::optional<std::string_view> app, const std::filesystem::path& resourcesFolder)
{
    return load(resourcesFolder / kResourceName, app);
}

} // namespace tarn
