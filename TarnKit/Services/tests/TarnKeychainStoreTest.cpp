#include "TarnKit/Services/TarnKeychainStore.h"

#include <map>

#include <gtest/gtest.h>

namespace tarn {
namespace {

class FakeSecretStore final : public SecretStore {
public:
    Status<SecretStoreError> store(std::string_view service, std::string_view account, std::string_view bytes) override
    {
        if (failStores) {
            return fail(SecretStoreError {-25299, "refused"});
        }
        items[{std::string(service), std::string(account)}] = std::string(bytes);
        return Ok {};
    }
    std::optional<std::string> lookup(std::string_view service, std::string_view account) override
    {
        auto found = items.find({std::string(service), std::string(account)});
        return found == items.end() ? std::nullopt : std::optional(found->second);
    }
    void remove(std::string_view service, std::string_view account) override
    {
        items.erase({std::string(service), std::string(account)});
    }

    std::map<std::pair<std::string, std::string>, std::string> items;
    bool failStores = false;
};

} // namespace

TEST(TarnKeychainStore, SavesReplacesLoadsAndDeletesOneItemPerServiceAndAccount)
{
    FakeSecretStore secrets;
    TarnKeychainStore keychain(secrets);
    EXPECT_EQ(keychain.load("svc", "ada"), std::nullopt);

    ASSERT_TRUE(keychain.save("first", "svc", "ada"));
    ASSERT_TRUE(keychain.save("second", "svc", "ada"));
    ASSERT_TRUE(keychain.save("", "svc", "bob"));
    EXPECT_EQ(secrets.items.size(), 2u);
    EXPECT_EQ(keychain.load("svc", "ada"), "second");
    EXPECT_EQ(keychain.load("svc", "bob"), "");

    keychain.remove("svc", "ada");
    keychain.remove("svc", "never-saved");
    EXPECT_EQ(keychain.load("svc", "ada"), std::nullopt);
}

TEST(TarnKeychainStore, AFailedSaveReportsTheStatusAndKeepsTheOldSecret)
{
    FakeSecretStore secrets;
    TarnKeychainStore keychain(secrets);
    ASSERT_TRUE(keychain.save("kept", "svc", "ada"));
    secrets.failStores = true;
    auto saved = keychain.save("lost?", "svc", "ada");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error(), TarnKeychainError {-25299});
    EXPECT_EQ(keychain.load("svc", "ada"), "kept");
}

TEST(TarnKeychainStore, BytesThatAreNotUtf8LoadAsNothing)
{
    FakeSecretStore secrets;
    secrets.items[{"svc", "ada"}] = "\xFF\xFE";
    EXPECT_EQ(TarnKeychainStore(secrets).load("svc", "ada"), std::nullopt);
}

} // namespace tarn
