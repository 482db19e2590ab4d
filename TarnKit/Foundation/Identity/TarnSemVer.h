#pragma once

// A strict MAJOR.MINOR.PATCH version and the kit's release policy: a version moves by exactly one
// step of a declared kind, never backwards and never by more than one.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Identity/TarnSemVerError.h"
#include "TarnKit/Foundation/Identity/TarnVersionBumpKind.h"

namespace tarn {

class TarnSemVer {
public:
    // A negative component is stored as 0.
    TarnSemVer(std::int64_t majorValue, std::int64_t minorValue, std::int64_t patchValue);

    // Trims white space, drops one leading "v" or "V", then needs exactly three non-negative
    // decimal integers (an optional sign allowed) that fit in 64 bits.
    static std::optional<TarnSemVer> parsing(std::string_view text);
    // As `parsing`, with the refusal carrying the string exactly as passed in.
    static Result<TarnSemVer, TarnSemVerError> parse(std::string_view text);
    static Status<TarnSemVerError> validateTransition(
        const TarnSemVer& from, const TarnSemVer& to, TarnVersionBumpKind kind);

    // The next version of that kind; a component already at the 64-bit maximum stays there.
    TarnSemVer bumped(TarnVersionBumpKind kind) const;
    // "<major>.<minor>.<patch>"
    std::string description() const;

    // {"major":1,"minor":2,"patch":3}; decoding needs all three integers and keeps them as they
    // stand, negative ones included.
    nlohmann::json toJson() const;
    static std::optional<TarnSemVer> fromJson(const nlohmann::json& value);

    std::int64_t major = 0;
    std::int64_t minor = 0;
    std::int64_t patch = 0;

    auto operator<=>(const TarnSemVer&) const = default;
    bool operator==(const TarnSemVer&) const = default;

private:
    struct Unclamped { };
    TarnSemVer(Unclamped, std::int64_t majorValue, std::int64_t minorValue, std::int64_t patchValue);
};

} // namespace tarn

template <> struct std::hash<tarn::TarnSemVer> {
    std::size_t operator()(const tarn::TarnSemVer& version) const noexcept
    {
        std::size_t seed = std::hash<std::int64_t> {}(version.major);
        seed = seed * 31 + std::hash<std::int64_t> {}(version.minor);
        return seed * 31 + std::hash<std::int64_t> {}(version.patch);
    }
};
