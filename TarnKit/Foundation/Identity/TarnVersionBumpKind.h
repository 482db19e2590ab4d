#pragma once

// The kinds of version step the kit's release policy knows, in this order.

#include <array>
#include <optional>
#include <string_view>

namespace tarn {

enum class TarnVersionBumpKind { build, patch, minor, major };

inline constexpr std::array<TarnVersionBumpKind, 4> kAllTarnVersionBumpKinds {
    TarnVersionBumpKind::build, TarnVersionBumpKind::patch, TarnVersionBumpKind::minor, TarnVersionBumpKind::major};

// "build", "patch", "minor", "major".
std::string_view rawValue(TarnVersionBumpKind kind);
// Case-sensitive; other strings are not a kind.
std::optional<TarnVersionBumpKind> tarnVersionBumpKindFromRawValue(std::string_view raw);

} // namespace tarn
