#pragma once

// The file:// address of a local path, for desktop handlers and D-Bus file managers.

#include <filesystem>
#include <string>

namespace tarn {

class FileUrl {
public:
    // RFC 3986: everything but unreserved characters and the path separator is percent-encoded,
    // byte by byte, so spaces, commas and non-ASCII folder names survive any handler.
    static std::string from(const std::filesystem::path& path);
};

} // namespace tarn
