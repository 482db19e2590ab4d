#pragma once

// Small named preferences of one domain (the language choice, a feedback address), stored as
// JSON values. Reads never fail: a missing or unreadable value is absent.

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tarn {

class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    virtual std::optional<nlohmann::json> value(std::string_view key) const = 0;
    [[nodiscard]] virtual bool setValue(std::string_view key, const nlohmann::json& value) = 0;
    [[nodiscard]] virtual bool removeValue(std::string_view key) = 0;

    // The value when it is a string; absent for any other type.
    std::optional<std::string> stringValue(std::string_view key) const
    {
        auto stored = value(key);
        if (!stored || !stored->is_string()) {
            return std::nullopt;
        }
        return stored->get<std::string>();
    }
};

} // namespace tarn
