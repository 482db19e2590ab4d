#include "TarnKit/Foundation/Desktop/TarnPermissionCenter.h"

#include <utility>

#include "TarnKit/Foundation/Files/FileUrl.h"

namespace tarn {

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
    return FileUrl::from(std::filesystem::absolute(m_helpPage, error)) + "#" + std::string(rawValue(kind));
}

} // namespace tarn
