#pragma once

// Secrets in the desktop's Secret Service (GNOME Keyring, KWallet …) through libsecret: one
// item per service and account in the default collection, the value stored as raw bytes.

#include "TarnKit/Services/SecretStore.h"

namespace tarn {

class LibsecretSecretStore final : public SecretStore {
public:
    Status<SecretStoreError> store(std::string_view service, std::string_view account, std::string_view bytes) override;
    std::optional<std::string> lookup(std::string_view service, std::string_view account) override;
    void remove(std::string_view service, std::string_view account) override;
};

} // namespace tarn
