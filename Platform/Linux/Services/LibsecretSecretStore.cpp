#include "Platform/Linux/Services/LibsecretSecretStore.h"

#include <string>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <libsecret/secret.h>

namespace tarn {

namespace {

using Error = CHandle<GError, g_error_free>;
using Value = CHandle<SecretValue, secret_value_unref>;

const SecretSchema* schema()
{
    static const SecretSchema kSchema = {"com.harrowfen.TarnKit.GenericPassword", SECRET_SCHEMA_NONE,
        {
            {"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
        },
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return &kSchema;
}

SecretStoreError toError(GError* raw)
{
    Error error(raw);
    return error ? SecretStoreError {error->code, error->message} : SecretStoreError {-1, "unknown failure"};
}

} // namespace

Status<SecretStoreError> LibsecretSecretStore::store(
    std::string_view service, std::string_view account, std::string_view bytes)
{
    const std::string serviceText(service);
    const std::string accountText(account);
    const std::string label = serviceText + " (" + accountText + ")";
    // The Secret Service replaces an item with the same attributes in one step.
    Value value(secret_value_new(bytes.data(), static_cast<gssize>(bytes.size()), "application/octet-stream"));
    GError* error = nullptr;
    const gboolean stored = secret_password_store_binary_sync(schema(), SECRET_COLLECTION_DEFAULT, label.c_str(),
        value.get(), nullptr, &error, "service", serviceText.c_str(), "account", accountText.c_str(), nullptr);
    if (!stored) {
        return fail(toError(error));
    }
    return Ok {};
}

std::optional<std::string> LibsecretSecretStore::lookup(std::string_view service, std::string_view account)
{
    const std::string serviceText(service);
    const std::string accountText(account);
    GError* error = nullptr;
    Value value(secret_password_lookup_binary_sync(
        schema(), nullptr, &error, "service", serviceText.c_str(), "account", accountText.c_str(), nullptr));
    Error ignored(error);
    if (!value) {
        return std::nullopt;
    }
    gsize length = 0;
    const gchar* data = secret_value_get(value.get(), &length);
    return std::string(data, length);
}

void LibsecretSecretStore::remove(std::string_view service, std::string_view account)
{
    const std::string serviceText(service);
    const std::string accountText(account);
    GError* error = nullptr;
    secret_password_clear_sync(
        schema(), nullptr, &error, "service", serviceText.c_str(), "account", accountText.c_str(), nullptr);
    Error ignored(error);
}

} // namespace tarn
