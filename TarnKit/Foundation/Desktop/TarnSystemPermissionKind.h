#pragma once

// The privacy permissions the family's programs may need. Each keeps the address of the settings
// page that grants it on the desktop system the family also runs on; on Linux the permission
// center shows the program's own help page for the kind instead (see TarnPermissionCenter).

#include <array>
#include <optional>
#include <string_view>

namespace tarn {

enum class TarnSystemPermissionKind { accessibility, screenRecording, systemAudio };

inline constexpr std::array<TarnSystemPermissionKind, 3> kAllTarnSystemPermissionKinds {
    TarnSystemPermissionKind::accessibility, TarnSystemPermissionKind::screenRecording,
    TarnSystemPermissionKind::systemAudio};

// "accessibility", "screenRecording", "systemAudio".
std::string_view rawValue(TarnSystemPermissionKind kind);
// The identity of a kind: its raw value.
inline std::string_view id(TarnSystemPermissionKind kind)
{
    return rawValue(kind);
}
// The other system's settings page address for the kind, kept as data.
std::string_view settingsURL(TarnSystemPermissionKind kind);
// Case-sensitive: "Accessibility" is not a kind.
std::optional<TarnSystemPermissionKind> tarnSystemPermissionKindFromRawValue(std::string_view raw);

} // namespace tarn
