#include "Platform/Linux/Suite/ProcessNameLookup.h"

#include <charconv>
#include <system_error>

#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

// A comm file holds the name and a line feed; a little more room tells a longer file apart.
constexpr std::uintmax_t kMaxNameFileSize = 64;

std::optional<std::int32_t> processNumber(const std::string& entry)
{
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), number);
    if (error != std::errc {} || end != entry.data() + entry.size() || number <= 0) {
        return std::nullopt;
    }
    return number;
}

} // namespace

ProcessNameLookup::ProcessNameLookup()
    : ProcessNameLookup("/proc", ::getuid())
{
}

ProcessNameLookup::ProcessNameLookup(std::filesystem::path processRoot, std::uint32_t user)
    : m_processRoot(std::move(processRoot))
    , m_user(user)
{
}

std::optional<std::int32_t> ProcessNameLookup::find(std::string_view name) const
{
    const std::string wanted = UnicodeText::lowercased(name);
    std::optional<std::int32_t> found;
    std::error_code error;
    std::filesystem::directory_iterator entries(m_processRoot, error);
    std::size_t seen = 0;
    for (; !error && entries != std::filesystem::directory_iterator() && seen < kMaxProcesses;
         entries.increment(error), ++seen) {
        const auto number = processNumber(entries->path().filename().string());
        if (!number || (found && *found < *number)) {
            continue;
        }
        struct stat status { };
        if (::stat(entries->path().c_str(), &status) != 0 || status.st_uid != m_user) {
            continue;
        }
        auto comm = WholeFile::read(entries->path() / "comm", kMaxNameFileSize);
        if (!comm) {
            continue; // gone meanwhile
        }
        std::string& text = comm.value();
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        if (UnicodeText::lowercased(text) == wanted) {
            found = number;
        }
    }
    return found;
}

} // namespace tarn
