#pragma once

// Short secrets (tokens, passwords, API keys) of the user, kept in the desktop's secret store and
// addressed by a service and an account the caller chooses. Secrets are UTF-8 text.

#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Services/SecretStore.h"

namespace tarn {

// The store's own status code; it carries no text of its own.
struct TarnKeychainError {
    int status = 0;
    bool operator==(const TarnKeychainError&) const = default;
};

class TarnKeychainStore {
public:
    explicit TarnKeychainStore(SecretStore& store)
        : m_store(store)
    {
    }

    // Replaces the secret in one step, so a failure keeps the one that was there.
    Status<TarnKeychainError> save(std::string_view secret, std::string_view service, std::string_view account);
    // Absent when there is no item, it cannot be read, or it is not valid UTF-8.
    std::optional<std::string> load(std::string_view service, std::string_view account);
    void remove(std::string_view service, std::string_view account);

private:
    SecretStore& m_store;
};

} // namespace tarn
