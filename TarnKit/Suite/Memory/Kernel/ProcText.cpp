#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

#include <charconv>
#include <cmath>

#include "TarnKit/Foundation/Files/WholeFile.h"

namespace tarn {

std::optional<std::string> ProcText::read(const std::filesystem::path& path)
{
    auto result = WholeFile::read(path, kMaxFileSize);
    if (!result) {
        return std::nullopt;
    }
    return std::move(result).value();
}

std::vector<std::string_view> ProcText::lines(std::string_view text)
{
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const auto end = text.find('\n');
        result.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return result;
}

std::vector<std::string_view> ProcText::fields(std::string_view line)
{
    constexpr std::string_view kSeparators = " \t\n";
    std::vector<std::string_view> result;
    auto start = line.find_first_not_of(kSeparators);
    while (start != std::string_view::npos) {
        const auto end = line.find_first_of(kSeparators, start);
        result.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        start = line.find_first_not_of(kSeparators, end);
    }
    return result;
}

std::string ProcText::unescaped(std::string_view field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    std::string result;
    result.reserve(field.size());
    for (std::size_t index = 0; index < field.size(); ++index) {
        if (field[index] == '\\' && index + 3 < field.size() && isOctal(field[index + 1]) && isOctal(field[index + 2])
            && isOctal(field[index + 3])) {
            const int value = (field[index + 1] - '0') * 64 + (field[index + 2] - '0') * 8 + (field[index + 3] - '0');
            result.push_back(static_cast<char>(value & 0xFF));
            index += 3;
        } else {
            result.push_back(field[index]);
        }
    }
    return result;
}

std::optional<std::vector<std::string>> ProcText::folderEntries(
    const std::filesystem::path& folder, std::size_t maxEntries)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (names.size() == maxEntries) {
            break;
        }
        names.push_back(entry->path().filename().string());
    }
    if (error) {
        return std::nullopt;
    }
    return names;
}

std::optional<std::int64_t> ProcText::count(std::string_view field)
{
    std::int64_t value = 0;
    const auto* end = field.data() + field.size();
    if (field.empty() || field.front() == '-') {
        return std::nullopt;
    }
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (error != std::errc {} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ProcText::decimal(std::string_view field)
{
    double value = 0;
    const auto* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value, std::chars_format::fixed);
    if (error != std::errc {} || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace tarn
