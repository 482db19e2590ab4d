#include "TarnKit/Foundation/Identity/OperatingSystemInfo.h"

#include <array>
#include <fstream>
#include <map>
#include <optional>

#include <sys/utsname.h>

namespace tarn {
namespace {

// os-release is a handful of short lines; anything longer is not one.
constexpr std::streamsize kMaxOsReleaseBytes = 64 * 1024;

std::optional<std::string> readBounded(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(kMaxOsReleaseBytes), '\0');
    stream.read(text.data(), kMaxOsReleaseBytes);
    text.resize(static_cast<std::size_t>(stream.gcount()));
    return text;
}

// One value of the shell-like syntax: optionally quoted with " or ', backslash escapes inside
// double quotes.
std::string unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        const bool doubleQuoted = value.front() == '"';
        value = value.substr(1, value.size() - 2);
        std::string result;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (doubleQuoted && value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            result += value[i];
        }
        return result;
    }
    return std::string(value);
}

std::map<std::string, std::string, std::less<>> parseOsRelease(std::string_view text)
{
    std::map<std::string, std::string, std::less<>> values;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos) {
            continue;
        }
        values.emplace(std::string(line.substr(0, equals)), unquoted(line.substr(equals + 1)));
    }
    return values;
}

std::string valueOf(const std::map<std::string, std::string, std::less<>>& values, std::string_view key)
{
    const auto found = values.find(key);
    return found == values.end() ? std::string {} : found->second;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

OperatingSystemInfo OperatingSystemInfo::current()
{
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        if (std::filesystem::exists(file)) {
            return current(file);
        }
    }
    return current(std::filesystem::path {});
}

OperatingSystemInfo OperatingSystemInfo::current(const std::filesystem::path& osReleaseFile)
{
    OperatingSystemInfo info;
    utsname names {};
    if (uname(&names) == 0) {
        info.kernelName = names.sysname;
        info.kernelRelease = names.release;
        info.machine = names.machine;
    }
    if (!osReleaseFile.empty()) {
        info.distribution = distributionFromOsRelease(readBounded(osReleaseFile).value_or(""));
    }
    return info;
}

std::string OperatingSystemInfo::distributionFromOsRelease(std::string_view text)
{
    const auto values = parseOsRelease(text);
    const std::string name = valueOf(values, "NAME");
    const std::string versionId = valueOf(values, "VERSION_ID");
    if (!name.empty() && !versionId.empty()) {
        return name + " " + versionId;
    }
    const std::string pretty = valueOf(values, "PRETTY_NAME");
    return pretty.empty() ? name : pretty;
}

std::string OperatingSystemInfo::kernelVersion() const
{
    std::array<std::string, 3> numbers {"0", "0", "0"};
    std::size_t position = 0;
    std::size_t index = 0;
    for (; index < numbers.size(); ++index) {
        const std::size_t start = position;
        while (position < kernelRelease.size() && isDigit(kernelRelease[position])) {
            ++position;
        }
        if (position == start) {
            break;
        }
        numbers[index] = kernelRelease.substr(start, position - start);
        if (position >= kernelRelease.size() || kernelRelease[position] != '.' || index == 2) {
            ++index;
            break;
        }
        ++position;
    }
    if (index == 0) {
        return kernelRelease;
    }
    return numbers[0] + "." + numbers[1] + "." + numbers[2];
}

} // namespace tarn
