#include "TarnKit/Foundation/Identity/TarnSemVer.h"

#include <limits>
#include <vector>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

// An optional sign followed by ASCII digits only, fitting in a signed 64-bit integer.
std::optional<std::int64_t> parseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // Accumulate negatively so that the minimum value fits too.
    std::int64_t value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        const int number = digit - '0';
        if (value < (std::numeric_limits<std::int64_t>::min() + number) / 10) {
            return std::nullopt;
        }
        value = value * 10 - number;
    }
    if (!negative) {
        if (value == std::numeric_limits<std::int64_t>::min()) {
            return std::nullopt;
        }
        value = -value;
    }
    return value;
}

std::vector<std::string_view> splitAtDots(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
        pieces.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::int64_t plusOne(std::int64_t value)
{
    return value == kMax ? kMax : value + 1;
}

// `to - from >= 2` without overflow, for any two 64-bit values.
bool atLeastTwoAbove(std::int64_t to, std::int64_t from)
{
    return from <= kMax - 2 && to >= from + 2;
}

} // namespace

TarnSemVer::TarnSemVer(std::int64_t majorValue, std::int64_t minorValue, std::int64_t patchValue)
    : major(std::max<std::int64_t>(majorValue, 0))
    , minor(std::max<std::int64_t>(minorValue, 0))
    , patch(std::max<std::int64_t>(patchValue, 0))
{
}

TarnSemVer::TarnSemVer(Unclamped, std::int64_t majorValue, std::int64_t minorValue, std::int64_t patchValue)
    : major(majorValue)
    , minor(minorValue)
    , patch(patchValue)
{
}

std::optional<TarnSemVer> TarnSemVer::parsing(std::string_view text)
{
    std::string trimmed = UnicodeText::trimmed(text);
    if (!trimmed.empty() && (trimmed.front() == 'v' || trimmed.front() == 'V')) {
        trimmed.erase(0, 1);
    }
    const auto pieces = splitAtDots(trimmed);
    if (pieces.size() != 3) {
        return std::nullopt;
    }
    std::int64_t components[3] {};
    for (std::size_t index = 0; index < 3; ++index) {
        const auto value = parseInteger(pieces[index]);
        if (!value || *value < 0) {
            return std::nullopt;
        }
        components[index] = *value;
    }
    return TarnSemVer(components[0], components[1], components[2]);
}

Result<TarnSemVer, TarnSemVerError> TarnSemVer::parse(std::string_view text)
{
    if (auto version = parsing(text)) {
        return *version;
    }
    return fail(TarnSemVerError::invalidFormat(std::string(text)));
}

TarnSemVer TarnSemVer::bumped(TarnVersionBumpKind kind) const
{
    switch (kind) {
    case TarnVersionBumpKind::build:
        return *this;
    case TarnVersionBumpKind::patch:
        return TarnSemVer(major, minor, plusOne(patch));
    case TarnVersionBumpKind::minor:
        return TarnSemVer(major, plusOne(minor), 0);
    case TarnVersionBumpKind::major:
        return TarnSemVer(plusOne(major), 0, 0);
    }
    return *this;
}

Status<TarnSemVerError> TarnSemVer::validateTransition(
    const TarnSemVer& from, const TarnSemVer& to, TarnVersionBumpKind kind)
{
    if (to < from) {
        return fail(TarnSemVerError::downgradeNotAllowed(from.description(), to.description()));
    }
    if (to == from.bumped(kind)) {
        return Ok {};
    }
    const bool multiStep = atLeastTwoAbove(to.major, from.major)
        || (to.major == from.major && atLeastTwoAbove(to.minor, from.minor))
        || (to.major == from.major && to.minor == from.minor && atLeastTwoAbove(to.patch, from.patch));
    if (multiStep) {
        return fail(TarnSemVerError::multiStepJumpBlocked(from.description(), to.description()));
    }
    return fail(TarnSemVerError::unexpectedBumpKind(kind, from.description(), to.description()));
}

std::string TarnSemVer::description() const
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
}

nlohmann::json TarnSemVer::toJson() const
{
    return {{"major", major}, {"minor", minor}, {"patch", patch}};
}

std::optional<TarnSemVer> TarnSemVer::fromJson(const nlohmann::json& value)
{
    if (!value.is_object() || !value.contains("major") || !value.contains("minor") || !value.contains("patch")) {
        return std::nullopt;
    }
    const auto majorValue = StrictJson::integer<std::int64_t>(value["major"]);
    const auto minorValue = StrictJson::integer<std::int64_t>(value["minor"]);
    const auto patchValue = StrictJson::integer<std::int64_t>(value["patch"]);
    if (!majorValue || !minorValue || !patchValue) {
        return std::nullopt;
    }
    return TarnSemVer(Unclamped {}, *majorValue, *minorValue, *patchValue);
}

} // namespace tarn
