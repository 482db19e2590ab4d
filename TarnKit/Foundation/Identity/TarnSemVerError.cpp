#include "TarnKit/Foundation/Identity/TarnSemVerError.h"

namespace tarn {

TarnSemVerError TarnSemVerError::invalidFormat(std::string rejected)
{
    return {Kind::invalidFormat, std::move(rejected), {}, {}};
}

TarnSemVerError TarnSemVerError::downgradeNotAllowed(std::string from, std::string to)
{
    return {Kind::downgradeNotAllowed, {}, std::move(from), std::move(to)};
}

TarnSemVerError TarnSemVerError::multiStepJumpBlocked(std::string from, std::string to)
{
    return {Kind::multiStepJumpBlocked, {}, std::move(from), std::move(to)};
}

TarnSemVerError TarnSemVerError::unexpectedBumpKind(TarnVersionBumpKind expected, std::string from, std::string to)
{
    return {Kind::unexpectedBumpKind, {}, std::move(from), std::move(to), expected};
}

std::string TarnSemVerError::errorDescription() const
{
    switch (kind) {
    case Kind::invalidFormat:
        return "Invalid SemVer 2.0.0 string: '" + text + "' (expected MAJOR.MINOR.PATCH).";
    case Kind::downgradeNotAllowed:
        return "Version downgrade blocked: " + from + " -> " + to + ".";
    case Kind::multiStepJumpBlocked:
        return "Multi-step version jump blocked by Harrowfen policy: " + from + " -> " + to
            + ". Only +1 increments are permitted.";
    case Kind::unexpectedBumpKind:
        return "Transition " + from + " -> " + to + " does not match requested '" + std::string(rawValue(expected))
            + "' bump.";
    }
    return {};
}

} // namespace tarn
