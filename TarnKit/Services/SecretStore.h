#pragma once

// Port: the desktop's store of short secrets, one item per service and account.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

struct SecretStoreError {
    int code = 0;
    std::string message;
    bool operator==(const SecretStoreError&) const = default;
};

class SecretStore {
public:
    virtual ~SecretStore() = default;
    // Replaces an item of the same service and account in one step: a failed store leaves the
    // old secret in place.
    virtual Status<SecretStoreError> store(std::string_view service, std::string_view account, std::string_view bytes)
        = 0;
    // The stored bytes; absent when there is no item or it cannot be read.
    virtual std::optional<std::string> lookup(std::string_view service, std::string_view account) = 0;
    // A missing item is not an error.
    virtual void remove(std::string_view service, std::string_view account) = 0;
};

} // namespace tarn
