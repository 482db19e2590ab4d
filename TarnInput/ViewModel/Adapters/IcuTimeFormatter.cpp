#include "TarnInput/ViewModel/Adapters/IcuTimeFormatter.h"

#include <memory>
#include <utility>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace tarn::input {

IcuTimeFormatter::IcuTimeFormatter(std::optional<std::string> timeZone)
    : m_timeZone(std::move(timeZone))
{
}

std::string IcuTimeFormatter::formatTime(WallTime time, TarnLanguage language) const
{
    const icu::Locale locale(std::string(localeIdentifier(language)).c_str());
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, locale));
    if (!format) {
        return {};
    }
    if (m_timeZone) {
        format->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(*m_timeZone)));
    }
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    icu::UnicodeString formatted;
    format->format(static_cast<UDate>(milliseconds), formatted);
    std::string result;
    formatted.toUTF8String(result);
    return result;
}

} // namespace tarn::input
