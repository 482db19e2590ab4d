#include "TarnKit/Localization/TarnLanguageSettings.h"

#include <string>
#include <unordered_set>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "Platform/Fake/Foundation/FakeSystemLanguagePreferences.h"

namespace tarn {
namespace {

class TarnLanguageSettingsTest : public ::testing::Test {
protected:
    TarnLanguageSettingsTest()
    {
        m_subscription = m_notifications.observe(
            std::string(kTarnLanguageDidChangeNotification), [this](const Notification& notification) {
                m_posted.push_back(tarnLanguageFromNotification(notification).value_or(TarnLanguage::en));
                m_storedWhenPosted.push_back(m_defaults->stringValue(kTarnLanguageDefaultsKey).value_or("<none>"));
            });
    }

    void store(nlohmann::json value) { ASSERT_TRUE(m_defaults->setValue(kTarnLanguageDefaultsKey, value)); }
    std::optional<std::string> stored() const { return m_defaults->stringValue(kTarnLanguageDefaultsKey); }

    std::shared_ptr<FakeDefaultsStore> m_defaults = std::make_shared<FakeDefaultsStore>();
    std::shared_ptr<FakeSystemLanguagePreferences> m_system
        = std::make_shared<FakeSystemLanguagePreferences>(std::vector<std::string> {"sr-Latn", "de-AT", "en"});
    NotificationCenter m_notifications;
    // Preloading reads through this recorder only; no real folder is searched.
    std::vector<std::string> m_reads;
    TarnLocalizationStore m_store {{"/packs"}, TarnLocalizationStore::StandardFolders::none(),
        [this](const std::filesystem::path& file) -> std::optional<std::string> {
            m_reads.push_back(file.filename().string());
            return std::nullopt;
        }};
    TarnLanguageSettings m_settings {m_defaults, m_system, m_notifications, m_store};
    std::vector<TarnLanguage> m_posted;
    std::vector<std::string> m_storedWhenPosted;
    Subscription m_subscription;
};

TEST_F(TarnLanguageSettingsTest, StoredValuesAndTheEffectiveLanguage)
{
    struct Case {
        std::optional<nlohmann::json> stored;
        std::string code;
        bool following;
        TarnLanguage current;
    };
    const Case cases[] = {
        {std::nullopt, "system", true, TarnLanguage::de},
        {"", "system", true, TarnLanguage::de},
        {"  \n", "system", true, TarnLanguage::de},
        {" SYSTEM ", "SYSTEM", true, TarnLanguage::de},
        {"fr", "fr", false, TarnLanguage::fr},
        {"fr_CA", "fr_CA", false, TarnLanguage::fr},
        // A code that matches nothing falls to the system's language, not to English.
        {"xx", "xx", false, TarnLanguage::de},
        // Not a string: read as nothing stored.
        {42, "system", true, TarnLanguage::de},
    };
    for (const auto& entry : cases) {
        if (entry.stored) {
            store(*entry.stored);
        } else {
            ASSERT_TRUE(m_defaults->removeValue(kTarnLanguageDefaultsKey));
        }
        const auto label = entry.stored ? entry.stored->dump() : "<none>";
        EXPECT_EQ(m_settings.storedPreferenceCode(), entry.code) << label;
        EXPECT_EQ(m_settings.isFollowingSystem(), entry.following) << label;
        EXPECT_EQ(m_settings.current(), entry.current) << label;
    }
}

TEST_F(TarnLanguageSettingsTest, SystemLanguageIsReadOnEveryCall)
{
    EXPECT_EQ(m_settings.systemResolved(), TarnLanguage::de);
    m_system->setPreferredLanguages({"zh_HK"});
    EXPECT_EQ(m_settings.current(), TarnLanguage::zhHant);
    m_system->setPreferredLanguages({});
    EXPECT_EQ(m_settings.current(), TarnLanguage::en);
    EXPECT_EQ(m_settings.decode(""), TarnLanguage::en);
    EXPECT_EQ(m_settings.decode("it"), TarnLanguage::it);

    TarnLanguageSettings unconfigured(nullptr, nullptr, m_notifications, m_store);
    EXPECT_EQ(unconfigured.current(), TarnLanguage::en);
    EXPECT_TRUE(unconfigured.isFollowingSystem());
    unconfigured.configure(m_defaults, m_system);
    store("ko");
    EXPECT_EQ(unconfigured.current(), TarnLanguage::ko);
}

TEST_F(TarnLanguageSettingsTest, SetCurrentStoresAndPostsEveryTime)
{
    m_settings.setCurrent(TarnLanguage::ja);
    m_settings.setCurrent(TarnLanguage::ja);
    EXPECT_EQ(stored(), "ja");
    m_settings.setCurrent(TarnLanguage::tr);
    m_settings.setCurrent(TarnLanguage::ja);
    EXPECT_EQ(stored(), "ja");
    // English and Turkish have no packs to preload.
    m_settings.setCurrent(TarnLanguage::en);
    m_settings.setCurrent(TarnLanguage::ja);
    EXPECT_EQ(m_posted,
        (std::vector {TarnLanguage::ja, TarnLanguage::ja, TarnLanguage::tr, TarnLanguage::ja, TarnLanguage::en,
            TarnLanguage::ja}));
    EXPECT_EQ(m_reads, (std::vector<std::string> {"ja.json.lzfse", "ja.json"}));
    EXPECT_EQ(m_settings.currentSelection(), TarnLanguageSelection::explicitLanguage(TarnLanguage::ja));

    // A refused write still changes the language for this session.
    m_defaults->setFailWrites(true);
    m_settings.setCurrent(TarnLanguage::ko);
    EXPECT_EQ(m_posted.back(), TarnLanguage::ko);
    EXPECT_EQ(stored(), "ja");
}

TEST_F(TarnLanguageSettingsTest, FollowSystemStoresSystemAndPostsTheResolvedLanguage)
{
    store("fr");
    m_settings.setFollowSystem();
    EXPECT_EQ(stored(), "system");
    EXPECT_EQ(m_posted, std::vector {TarnLanguage::de});
    EXPECT_EQ(m_settings.currentSelection(), TarnLanguageSelection::system());
    EXPECT_EQ(TarnLanguageSelection::system().resolvedLanguage(m_settings), TarnLanguage::de);
    EXPECT_EQ(TarnLanguageSelection::explicitLanguage(TarnLanguage::fi).resolvedLanguage(m_settings), TarnLanguage::fi);
}

TEST_F(TarnLanguageSettingsTest, PersistenceGuardKeepsSystemWhileTheBodyRuns)
{
    store("fr");
    bool bodyRan = false;
    m_settings.applyFollowSystem([&] {
        bodyRan = true;
        EXPECT_TRUE(m_settings.persistenceGuard().isSuppressing());
        m_settings.setCurrent(TarnLanguage::de);
        m_settings.setCurrent(TarnLanguage::es);
    });
    EXPECT_TRUE(bodyRan);
    EXPECT_EQ(stored(), "system");
    EXPECT_EQ(m_posted, (std::vector {TarnLanguage::de, TarnLanguage::de, TarnLanguage::es}));
    EXPECT_EQ(m_storedWhenPosted, (std::vector<std::string> {"system", "system", "system"}));
    EXPECT_EQ(m_settings.persistenceGuard().suppressDepth(), 0);
    // German was preloaded (once: its empty catalog is cached), then Spanish.
    EXPECT_EQ(m_reads, (std::vector<std::string> {"de.json.lzfse", "de.json", "es.json.lzfse", "es.json"}));

    // Outside the body persistence is back.
    m_settings.setCurrent(TarnLanguage::es);
    EXPECT_EQ(stored(), "es");
}

TEST_F(TarnLanguageSettingsTest, PersistenceGuardNestsAndNeverGoesNegative)
{
    auto& guard = m_settings.persistenceGuard();
    m_settings.applyFollowSystem([&] {
        m_settings.applyFollowSystem([&] { EXPECT_EQ(guard.suppressDepth(), 2); });
        EXPECT_EQ(guard.suppressDepth(), 1);
    });
    guard.endSuppressing();
    EXPECT_EQ(guard.suppressDepth(), 0);
    guard.beginSuppressing();
    EXPECT_TRUE(guard.isSuppressing());
    guard.endSuppressing();

    // A body that throws still ends the suppression.
    EXPECT_THROW(m_settings.applyFollowSystem([] { throw std::runtime_error("body failed"); }), std::runtime_error);
    EXPECT_EQ(guard.suppressDepth(), 0);
}

TEST_F(TarnLanguageSettingsTest, ObserveChangesDeliversTheLanguage)
{
    std::vector<TarnLanguage> seen;
    auto subscription = m_settings.observeChanges([&](TarnLanguage language) { seen.push_back(language); });
    m_settings.setCurrent(TarnLanguage::zhHant);
    subscription.cancel();
    m_settings.setCurrent(TarnLanguage::fr);
    EXPECT_EQ(seen, std::vector {TarnLanguage::zhHant});
    EXPECT_EQ(tarnLanguageFromNotification(Notification {"other", {{"language", "de"}}}), std::nullopt);
}

TEST(TarnLanguageSelectionTest, EqualityAndHash)
{
    const auto system = TarnLanguageSelection::system();
    const auto german = TarnLanguageSelection::explicitLanguage(TarnLanguage::de);
    EXPECT_EQ(system, TarnLanguageSelection::system());
    EXPECT_EQ(german, TarnLanguageSelection::explicitLanguage(TarnLanguage::de));
    EXPECT_NE(system, german);
    EXPECT_NE(german, TarnLanguageSelection::explicitLanguage(TarnLanguage::en));
    EXPECT_EQ(german.language(), TarnLanguage::de);
    EXPECT_EQ(system.language(), std::nullopt);
    std::unordered_set<TarnLanguageSelection> set {system, german, TarnLanguageSelection::system()};
    EXPECT_EQ(set.size(), 2u);
}

} // namespace
} // namespace tarn
