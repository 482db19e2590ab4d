#pragma once

// Why a tool could not do its work, described in the interface language.

#include <cstdint>
#include <string>
#include <variant>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class TarnProcessError {
public:
    struct BinaryNotFound {
        std::string name;
        bool operator==(const BinaryNotFound&) const = default;
    };
    struct NonZeroExit {
        std::int32_t code = 0;
        std::string stderrText;
        bool operator==(const NonZeroExit&) const = default;
    };
    struct Cancelled {
        bool operator==(const Cancelled&) const = default;
    };
    using Case = std::variant<BinaryNotFound, NonZeroExit, Cancelled>;

    static TarnProcessError binaryNotFound(std::string name)
    {
        return TarnProcessError(BinaryNotFound {std::move(name)});
    }
    static TarnProcessError nonZeroExit(std::int32_t code, std::string stderrText)
    {
        return TarnProcessError(NonZeroExit {code, std::move(stderrText)});
    }
    static TarnProcessError cancelled() { return TarnProcessError(Cancelled {}); }

    const Case& value() const { return m_case; }
    bool isCancelled() const { return std::holds_alternative<Cancelled>(m_case); }

    std::string errorDescription(TarnLanguage language) const;
    // In the interface language of the moment.
    std::string errorDescription() const;

    bool operator==(const TarnProcessError&) const = default;

private:
    explicit TarnProcessError(Case value)
        : m_case(std::move(value))
    {
    }
    Case m_case;
};

} // namespace tarn
