#include "TarnKit/Services/TarnKeychainStore.h"

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {

Status<TarnKeychainError> TarnKeychainStore::save(
    std::string_view secret, std::string_view service, std::string_view account)
{
    // Never delete first: a failed add after a delete would destroy the user's secret.
    auto stored = m_store.store(service, account, secret);
    if (!stored) {
        return fail(TarnKeychainError {stored.error().code});
    }
    return Ok {};
}

std::optional<std::string> TarnKeychainStore::load(std::string_view service, std::string_view account)
{
    auto bytes = m_store.lookup(service, account);
    if (!bytes || !UnicodeText::isValidUtf8(*bytes)) {
        return std::nullopt;
    }
    return bytes;
}

void TarnKeychainStore::remove(std::string_view service, std::string_view account)
{
    m_store.remove(service, account);
}

} // namespace tarn
