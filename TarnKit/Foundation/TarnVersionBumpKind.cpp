#include "TarnKit/Foundation/TarnVersionBumpKind.h"

namespace tarn {

std::string_view rawValue(TarnVersionBumpKind kind)
{
    switch (kind) {
    case TarnVersionBumpKind::build:
        return "build";
    case TarnVersionBumpKind::patch:
        return "patch";
    case TarnVersionBumpKind::minor:
        return "minor";
    case TarnVersionBumpKind::major:
        return "major";
    }
    return "build";
}

std::optional<TarnVersionBumpKind> tarnVersionBumpKindFromRawValue(std::string_view raw)
{
    for (const auto kind : kAllTarnVersionBumpKinds) {
        if (rawValue(kind) == raw) {
            return kind;
        }
    }
    return std::nullopt;
}

} // namespace tarn
