#pragma once

// One reason a macro may not be played or saved. Callers only use whether a list of them is empty
// and how long it is, so the issues carry values but no text.

#include <cstdint>
#include <variant>

namespace tarn::input {

struct MacroValidationIssue {
    struct EmptyName {
        bool operator==(const EmptyName&) const = default;
    };
    struct EmptySteps {
        bool operator==(const EmptySteps&) const = default;
    };
    struct TooManySteps {
        std::int64_t maxAllowed = 0;
        bool operator==(const TooManySteps&) const = default;
    };
    struct InvalidKeyCode {
        std::int64_t stepIndex = 0;
        std::uint16_t keyCode = 0;
        bool operator==(const InvalidKeyCode&) const = default;
    };
    struct InvalidDelay {
        std::int64_t stepIndex = 0;
        std::int64_t delayMs = 0;
        bool operator==(const InvalidDelay&) const = default;
    };
    struct EmptyText {
        std::int64_t stepIndex = 0;
        bool operator==(const EmptyText&) const = default;
    };
    struct TextTooLong {
        std::int64_t stepIndex = 0;
        std::int64_t maxCharacters = 0;
        bool operator==(const TextTooLong&) const = default;
    };
    struct TotalDurationTooLong {
        std::int64_t totalMs = 0;
        std::int64_t maxMs = 0;
        bool operator==(const TotalDurationTooLong&) const = default;
    };

    std::variant<EmptyName, EmptySteps, TooManySteps, InvalidKeyCode, InvalidDelay, EmptyText, TextTooLong,
        TotalDurationTooLong>
        kind;

    bool operator==(const MacroValidationIssue&) const = default;
};

} // namespace tarn::input
