#pragma once

// Reading the kernel's text files under /proc and /sys: whitespace-separated fields on lines,
// octal escapes in paths, decimal numbers. Files are read whole but only up to a small limit, so
// a file put in a test tree, or a kernel file that grew unexpectedly, cannot exhaust memory.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class ProcText {
public:
    static constexpr std::uintmax_t kMaxFileSize = 4 * 1024 * 1024;

    // The whole file, or none when it is missing, not a regular file or larger than the limit.
    static std::optional<std::string> read(const std::filesystem::path& path);
    static std::vector<std::string_view> lines(std::string_view text);
    // Fields separated by spaces, tabs and line ends.
    static std::vector<std::string_view> fields(std::string_view line);
    // A path field with the kernel's escapes ("\040" for a space) turned back into characters.
    static std::string unescaped(std::string_view field);
    // The names in a folder, in the order the file system lists them, at most `maxEntries` of
    // them; none when the folder cannot be listed.
    static std::optional<std::vector<std::string>> folderEntries(
        const std::filesystem::path& folder, std::size_t maxEntries);
    // A whole decimal number that fits 64 bits, with no sign and nothing after it.
    static std::optional<std::int64_t> count(std::string_view field);
    // A decimal number such as "12.50", read without regard to the locale.
    static std::optional<double> decimal(std::string_view field);
};

} // namespace tarn
