#pragma once

// Why a version string or a version step was refused. Descriptions are English only.

#include <string>

#include "TarnKit/Foundation/Identity/TarnVersionBumpKind.h"

namespace tarn {

struct TarnSemVerError {
    enum class Kind { invalidFormat, downgradeNotAllowed, multiStepJumpBlocked, unexpectedBumpKind };

    Kind kind;
    // invalidFormat: the rejected string; other kinds: the versions' descriptions.
    std::string text;
    std::string from;
    std::string to;
    TarnVersionBumpKind expected = TarnVersionBumpKind::build;

    static TarnSemVerError invalidFormat(std::string rejected);
    static TarnSemVerError downgradeNotAllowed(std::string from, std::string to);
    static TarnSemVerError multiStepJumpBlocked(std::string from, std::string to);
    static TarnSemVerError unexpectedBumpKind(TarnVersionBumpKind expected, std::string from, std::string to);

    std::string errorDescription() const;
    bool operator==(const TarnSemVerError&) const = default;
};

} // namespace tarn
