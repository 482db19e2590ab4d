#pragma once

// Why a JSON value could not be read into a record: where (a path of keys and indices, such as
// "macros[2].steps[0].kind") and what went wrong.

#include <string>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

struct DecodeError {
    std::string path;
    std::string message;

    // "path: message", or the message alone at the top level.
    std::string description() const { return path.empty() ? message : path + ": " + message; }

    bool operator==(const DecodeError&) const = default;
};

template <typename T> using DecodeResult = Result<T, DecodeError>;

} // namespace tarn
