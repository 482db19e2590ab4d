#pragma once

// Every reason a completion can end without an answer: the client's own errors, the transport's
// description of a failed transfer (no connection, time-out, cancellation), and the JSON reader's
// description of a 2xx answer that is not JSON. The last two are passed on as they came.

#include <string>
#include <variant>

#include "TarnKit/AI/TarnAIClientError.h"

namespace tarn {

struct TarnAITransportError {
    std::string description;

    bool operator==(const TarnAITransportError&) const = default;
};

struct TarnAIReplyParseError {
    std::string description;

    bool operator==(const TarnAIReplyParseError&) const = default;
};

using TarnAICompletionError = std::variant<TarnAIClientError, TarnAITransportError, TarnAIReplyParseError>;

} // namespace tarn
