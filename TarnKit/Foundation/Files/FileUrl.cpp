#include "TarnKit/Foundation/Files/FileUrl.h"

#include <fmt/format.h>

namespace tarn {

std::string FileUrl::from(const std::filesystem::path& path)
{
    std::string url = "file://";
    for (const char character : path.string()) {
        const auto byte = static_cast<unsigned char>(character);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
            || (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/';
        if (unreserved) {
            url += static_cast<char>(byte);
        } else {
            url += fmt::format("%{:02X}", byte);
        }
    }
    return url;
}

} // namespace tarn
