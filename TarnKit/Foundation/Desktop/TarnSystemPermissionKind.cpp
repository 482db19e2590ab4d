#include "TarnKit/Foundation/Desktop/TarnSystemPermissionKind.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn {
namespace {

struct KindText {
    TarnSystemPermissionKind value;
    std::string_view raw;
    std::string_view settingsURL;
};

constexpr EnumTable kTexts {std::to_array<KindText>({
    {TarnSystemPermissionKind::accessibility, "accessibility",
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"},
    {TarnSystemPermissionKind::screenRecording, "screenRecording",
        "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture"},
    {TarnSystemPermissionKind::systemAudio, "systemAudio",
        "x-apple.systempreferences:com.apple.preference.security?Privacy_AudioCapture"},
})};
static_assert(kTexts.covers(kAllTarnSystemPermissionKinds));

} // namespace

std::string_view rawValue(TarnSystemPermissionKind kind)
{
    return kTexts[kind].raw;
}

std::string_view settingsURL(TarnSystemPermissionKind kind)
{
    return kTexts[kind].settingsURL;
}

std::optional<TarnSystemPermissionKind> tarnSystemPermissionKindFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

} // namespace tarn
