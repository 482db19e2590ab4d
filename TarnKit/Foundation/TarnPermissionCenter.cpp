#include "TarnKit/Foundation/TarnPermissionCenter.h"

#include <utility>

#include <fmt/format.h>

namespace tarn {
namespace {

// RFC 3986: everything but unreserved characters and the path separator is percent-encoded,
// byte by byte, so spaces and non-ASCII folder names survive the trip through the opener.
std::string fileUrl(const std::filesystem::path& path)
{
    std::string url = "file://";
    for (const unsigned char byte : path.string()) {
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

} // namespace

TarnPermissionCenter::TarnPermissionCenter(
    PermissionBackend& backend, UrlOpener& opener, std::filesystem::path helpPage)
    : m_backend(backend)
    , m_opener(opener)
    , m_helpPage(std::move(helpPage))
{
}

bool TarnPermissionCenter::isAccessibilityGranted(bool) const
{
    return m_backend.isAccessibilityGranted();
}

bool TarnPermissionCenter::isScreenRecordingGranted() const
{
    return m_backend.isScreenRecordingGranted();
}

void TarnPermissionCenter::openSystemSettings(TarnSystemPermissionKind kind) const
{
    if (const auto address = settingsAddress(kind)) {
        [[maybe_unused]] const bool started = m_opener.open(*address);
    }
}

std::optional<std::string> TarnPermissionCenter::settingsAddress(TarnSystemPermissionKind kind) const
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_helpPage, error)) {
        return std::nullopt;
    }
    return fileUrl(std::filesystem::absolute(m_helpPage, error)) + "#" + std::string(rawValue(kind));
}

} // namespace tarn
