#include "TarnKit/Foundation/Identity/TarnAppVersion.h"

#include "TarnKit/Foundation/Identity/TarnSemVer.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

std::string trimmedOr(const std::optional<std::string>& value, const std::string& fallback)
{
    if (!value) {
        return fallback;
    }
    auto trimmed = UnicodeText::trimmed(*value);
    return trimmed.empty() ? fallback : trimmed;
}

} // namespace

std::string TarnAppVersion::tag() const
{
    return "v" + shortVersion;
}

std::string TarnAppVersion::detailedDisplay() const
{
    return "v" + shortVersion + " (" + buildNumber + ")";
}

std::optional<TarnSemVer> TarnAppVersion::semVer() const
{
    return TarnSemVer::parsing(shortVersion);
}

TarnAppVersion TarnAppVersion::current(
    const BuildInfo& info, const std::string& fallbackVersion, const std::string& fallbackBuild)
{
    return TarnAppVersion {trimmedOr(info.shortVersion, fallbackVersion), trimmedOr(info.buildNumber, fallbackBuild)};
}

} // namespace tarn
