#include "TarnKit/Foundation/TarnSystemPermissionKind.h"

namespace tarn {

std::string_view rawValue(TarnSystemPermissionKind kind)
{
    switch (kind) {
    case TarnSystemPermissionKind::accessibility:
        return "accessibility";
    case TarnSystemPermissionKind::screenRecording:
        return "screenRecording";
    case TarnSystemPermissionKind::systemAudio:
        return "systemAudio";
    }
    return "accessibility";
}

std::string_view settingsURL(TarnSystemPermissionKind kind)
{
    switch (kind) {
    case TarnSystemPermissionKind::accessibility:
        return "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
    case TarnSystemPermissionKind::screenRecording:
        return "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture";
    case TarnSystemPermissionKind::systemAudio:
        return "x-apple.systempreferences:com.apple.preference.security?Privacy_AudioCapture";
    }
    return {};
}

std::optional<TarnSystemPermissionKind> tarnSystemPermissionKindFromRawValue(std::string_view raw)
{
    for (const auto kind : kAllTarnSystemPermissionKinds) {
        if (rawValue(kind) == raw) {
            return kind;
        }
    }
    return std::nullopt;
}

} // namespace tarn
