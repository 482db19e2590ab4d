#pragma once

// Reads environment variables through a function value, so that tests can give their own.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment; an unset variable is absent, an empty one is an empty string.
std::optional<std::string> processEnvironment(std::string_view name);

} // namespace tarn
