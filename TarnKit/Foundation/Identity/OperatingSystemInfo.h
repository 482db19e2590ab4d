#pragma once

// What the running Linux system says about itself: the kernel (uname) and the distribution
// (os-release). Used wherever the program names the system it runs on: the launch log line and
// the feedback reports.

#include <filesystem>
#include <string>
#include <string_view>

namespace tarn {

struct OperatingSystemInfo {
    std::string kernelName; // "Linux"
    std::string kernelRelease; // "6.1.0-13-amd64"
    std::string machine; // "x86_64"
    std::string distribution; // "Debian GNU/Linux 12"; empty when os-release says nothing

    // uname() and the first readable of /etc/os-release and /usr/lib/os-release.
    static OperatingSystemInfo current();
    static OperatingSystemInfo current(const std::filesystem::path& osReleaseFile);

    // NAME + " " + VERSION_ID, else PRETTY_NAME, else NAME; quotes and escapes of the shell-like
    // os-release syntax removed. Empty when none of them is set.
    static std::string distributionFromOsRelease(std::string_view text);

    // The leading "x.y.z" of the kernel release, always with three numbers ("6.1" gives
    // "6.1.0"); the release as it is when it does not start with a number.
    std::string kernelVersion() const;
};

} // namespace tarn
