#include "TarnKit/Localization/TarnLocalizationStore.h"

#include <atomic>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Localization/TarnText.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

std::string fixture(const char* name)
{
    std::ifstream stream(fs::path(TARN_TEST_DATA_DIR) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class TarnLocalizationStoreTest : public ::testing::Test {
protected:
    fs::path folder(const char* name) const { return m_root.path() / name; }

    // A store that searches only the given folders (and counts its reads).
    std::unique_ptr<TarnLocalizationStore> makeStore(
        std::vector<fs::path> extra = {}, TarnLocalizationStore::StandardFolders standard = {})
    {
        return std::make_unique<TarnLocalizationStore>(
            std::move(extra), std::move(standard), [this](const fs::path& file) {
                ++m_reads;
                return TarnLocalizationStore::readPackFile(file);
            });
    }

    TemporaryFolder m_root;
    std::atomic<int> m_reads {0};
};

TEST_F(TarnLocalizationStoreTest, EnglishAndTurkishNeedNoPack)
{
    auto store = makeStore({folder("packs")});
    writeFile(folder("packs") / "en.json", R"({"Settings": "never read for English"})");
    writeFile(folder("packs") / "tr.json", R"({"Settings": "never read for Turkish"})");
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::en), "Settings");
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::tr), "Ayarlar");
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "", TarnLanguage::tr), "Settings");
    store->preloadIfNeeded(TarnLanguage::en);
    store->preloadIfNeeded(TarnLanguage::tr);
    EXPECT_EQ(m_reads, 0);

    EXPECT_EQ(tarnText("Language", "Dil", TarnLanguage::tr), "Dil");
    EXPECT_EQ(tarnText("Language", "Dil", std::string_view("language.title"), TarnLanguage::en), "Language");
}

TEST_F(TarnLocalizationStoreTest, CustomOverridesWinForEveryLanguage)
{
    auto store = makeStore({folder("packs")});
    writeFile(folder("packs") / "de.json", R"({"Settings": "Einstellungen", "Scroll": "Scrollen"})");
    writeFile(folder("custom.json"), R"({"Settings": "Setup", "menu.scroll": "Rollen", "Buttons": ""})");
    ASSERT_TRUE(store->loadJSONPack(folder("custom.json")));
    for (const auto language : {TarnLanguage::en, TarnLanguage::tr, TarnLanguage::de}) {
        EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", language), "Setup");
        EXPECT_EQ(store->string("menu.scroll", "Scroll", "Kaydır", language), "Rollen");
    }
    // An empty override is no override.
    EXPECT_EQ(store->resolve(std::nullopt, "Buttons", "Tuşlar", TarnLanguage::tr), "Tuşlar");
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "Kaydır", TarnLanguage::de), "Scrollen");

    // A pack that fails keeps the overrides there were.
    writeFile(folder("broken.json"), R"({"strings": {"Settings": 5}})");
    const auto broken = store->loadJSONPack(folder("broken.json"));
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.error().kind, TarnLocalizationError::Kind::decodingFailed);
    const auto missing = store->loadJSONPack(folder("missing.json"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, TarnLocalizationError::Kind::readFailed);
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::en), "Setup");

    // Pack form: its strings become the overrides, its templates do not.
    writeFile(folder("pack.json"),
        R"({"code": "xx", "strings": {"Scroll": "Wheel"}, "templates": {"Saved {0}": "Kept {0}"}})");
    ASSERT_TRUE(store->loadJSONPack(folder("pack.json")));
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::en), "Settings");
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "Kaydır", TarnLanguage::tr), "Wheel");
    EXPECT_EQ(store->resolve(std::nullopt, "Saved it", "", TarnLanguage::en), "Saved it");

    store->clearCustomPack();
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "Kaydır", TarnLanguage::tr), "Kaydır");
}

// A hand-edited custom pack with one mistake must not take every override with it, and the
// error must say what is wrong.
TEST_F(TarnLocalizationStoreTest, ARefusedCustomPackSaysWhyAndKeepsTheOverrides)
{
    auto store = makeStore();
    writeFile(folder("custom.json"), R"({"Settings": "Setup"})");
    ASSERT_TRUE(store->loadJSONPack(folder("custom.json")));

    const struct {
        std::string contents;
        std::string reasonPart;
    } cases[] {
        {R"({"Settings": "Kurulum", "Scroll": 5})", "\"Scroll\" is not a text"},
        {R"({"strings": {"Settings": "Kurulum", "Scroll": null}})", "\"Scroll\" is not a text"},
        {std::string(StrictJson::kMaxDepth + 1, '[') + std::string(StrictJson::kMaxDepth + 1, ']'), "deeper"},
        {"[" + repeated("0,", StrictJson::kMaxValues) + "0]", "more than"},
        {R"({"Settings": "Kurulum")", "not valid JSON"},
    };
    for (const auto& [contents, reasonPart] : cases) {
        writeFile(folder("edited.json"), contents);
        const auto loaded = store->loadJSONPack(folder("edited.json"));
        ASSERT_FALSE(loaded) << contents.substr(0, 60);
        EXPECT_EQ(loaded.error().kind, TarnLocalizationError::Kind::decodingFailed);
        EXPECT_NE(loaded.error().message.find(reasonPart), std::string::npos) << loaded.error().message;
        EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::tr), "Setup");
    }
}

TEST_F(TarnLocalizationStoreTest, MissingPackCachesEmptyUntilAFolderIsRegistered)
{
    auto store = makeStore();
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::de), "Settings");
    const int readsAfterFirstMiss = m_reads;
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "Kaydır", TarnLanguage::de), "Scroll");
    EXPECT_EQ(m_reads, readsAfterFirstMiss);

    writeFile(folder("late") / "de.json", R"({"Settings": "Einstellungen"})");
    store->registerSearchDirectory(folder("late"));
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::de), "Einstellungen");

    writeFile(folder("late") / "de.json", R"({"Settings": "Optionen"})");
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::de), "Einstellungen");
    store->reloadCatalogs();
    EXPECT_EQ(store->resolve(std::nullopt, "Settings", "Ayarlar", TarnLanguage::de), "Optionen");
}

TEST_F(TarnLocalizationStoreTest, HigherFolderWinsKeyByKey)
{
    TarnLocalizationStore::StandardFolders standard;
    standard.custom = folder("custom");
    standard.bundle = folder("bundle");
    standard.shared = folder("shared");
    standard.development = folder("development");
    auto store = makeStore({folder("extra")}, standard);
    // Each folder sets "Level" to its own name and adds a key of its own; "Gap" is empty above.
    for (const char* name : {"extra", "custom", "bundle", "shared", "development"}) {
        writeFile(folder(name) / "de.json",
            std::string(R"({"Level": ")") + name + R"(", "only-)" + name + R"(": ")" + name + R"(", "Gap": ")"
                + (std::string_view(name) == "development" ? "development" : "") + R"("})");
    }
    const auto text = [&](const char* en) { return store->resolve(std::nullopt, en, "", TarnLanguage::de); };
    EXPECT_EQ(text("Level"), "extra");
    EXPECT_EQ(text("Gap"), "development");
    for (const char* name : {"extra", "custom", "bundle", "shared", "development"}) {
        EXPECT_EQ(text((std::string("only-") + name).c_str()), name);
    }

    // A folder registered later ranks above the earlier ones; registering it again changes nothing.
    writeFile(folder("newest") / "de.json", R"({"Level": "newest"})");
    store->registerSearchDirectory(folder("newest"));
    store->registerSearchDirectory(folder("extra") / "");
    EXPECT_EQ(text("Level"), "newest");
    const auto folders = store->candidateFolders();
    ASSERT_EQ(folders.size(), 6u);
    EXPECT_EQ(folders.front(), folder("newest"));
    EXPECT_EQ(folders[1], folder("extra"));
    EXPECT_EQ(folders.back(), folder("development"));

    // The custom folder beats the shared one with the same key.
    fs::remove(folder("extra") / "de.json");
    fs::remove(folder("newest") / "de.json");
    store->reloadCatalogs();
    EXPECT_EQ(text("Level"), "custom");
}

TEST_F(TarnLocalizationStoreTest, CompressedFileHidesThePlainOneUnlessItIsCorrupt)
{
    const std::string compressed = fixture("pack-de.json.lzfse");
    ASSERT_FALSE(compressed.empty());
    writeFile(folder("packs") / "de.json.lzfse", compressed);
    writeFile(folder("packs") / "de.json", R"({"Settings": "Aus der Klartextdatei", "Plain only": "Nur Klartext"})");
    auto store = makeStore({folder("packs")});
    const auto text = [&](const char* en) { return store->resolve(std::nullopt, en, "", TarnLanguage::de); };
    EXPECT_EQ(text("Settings"), "Einstellungen");
    EXPECT_EQ(text("Plain only"), "Plain only");
    EXPECT_EQ(text("Saved profile Gaming."), "Profil Gaming gespeichert.");
    EXPECT_EQ(text("2 of 3 devices"), "2 von 3 Geräten");

    // A truncated stream, and bytes that are no stream at all: the plain file is read instead.
    for (const std::string& corrupt : {compressed.substr(0, compressed.size() / 2), std::string("not lzfse")}) {
        writeFile(folder("packs") / "de.json.lzfse", corrupt);
        store->reloadCatalogs();
        EXPECT_EQ(text("Settings"), "Aus der Klartextdatei");
        EXPECT_EQ(text("Plain only"), "Nur Klartext");
    }

    // The same for a compressed file that decompresses but holds no pack.
    writeFile(folder("packs") / "de.json.lzfse", fixture("plain-fr.json.lzfse"));
    store->reloadCatalogs();
    EXPECT_EQ(text("Settings"), "Réglages");
    writeFile(folder("packs") / "de.json.lzfse", fixture("corrupt-de.lzfse"));
    store->reloadCatalogs();
    (void)text("Settings"); // decodes to garbage or fails; either way nothing breaks
}

TEST_F(TarnLocalizationStoreTest, PackFormNeedsTextsElsePlainForm)
{
    auto store = makeStore({folder("packs")});
    const auto text = [&](const char* en) { return store->resolve(std::nullopt, en, "", TarnLanguage::fr); };
    // No strings and no templates: the same object is a flat map, so its keys are texts.
    writeFile(folder("packs") / "fr.json", R"({"code": "fr", "nativeName": "Français"})");
    EXPECT_EQ(text("nativeName"), "Français");

    // A pack key of the wrong type: neither form loads.
    writeFile(folder("packs") / "fr.json", R"({"code": "fr", "isRTL": "no", "strings": {"Scroll": "Défiler"}})");
    store->reloadCatalogs();
    EXPECT_EQ(text("Scroll"), "Scroll");

    // A null counts as absent, unknown keys are ignored, empty values are skipped.
    writeFile(folder("packs") / "fr.json",
        R"({"code": null, "version": 3, "strings": {"Scroll": "Défiler", "Buttons": ""}})");
    store->reloadCatalogs();
    EXPECT_EQ(text("Scroll"), "Défiler");
    EXPECT_EQ(text("Buttons"), "Buttons");

    const auto pack = TarnLocalizationPack::decode(R"({"strings": {"a": "b"}, "isRTL": true})");
    ASSERT_TRUE(pack);
    EXPECT_TRUE(pack->isRTL);
    EXPECT_EQ(pack->toJson().dump(),
        R"({"code":"","nativeName":"","englishName":"","isRTL":true,"strings":{"a":"b"},"templates":{}})");
    EXPECT_FALSE(TarnLocalizationPack::decode("[1]"));
    EXPECT_FALSE(TarnLocalizationPack::decode("{"));
}

TEST_F(TarnLocalizationStoreTest, RegionalVariantsFallBackToTheirParentBeforeEnglish)
{
    writeFile(folder("packs") / "pt-BR.json", R"({"Scroll": "Rolagem", "Buttons": "Botões"})");
    writeFile(folder("packs") / "pt-PT.json", R"({"Buttons": "Teclas"})");
    writeFile(folder("packs") / "zh-Hans.json", R"({"Scroll": "滚动"})");
    auto store = makeStore({folder("packs")});
    EXPECT_EQ(store->resolve(std::nullopt, "Buttons", "", TarnLanguage::ptPT), "Teclas");
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "", TarnLanguage::ptPT), "Rolagem");
    EXPECT_EQ(store->resolve(std::nullopt, "Scroll", "", TarnLanguage::zhHant), "滚动");
    EXPECT_EQ(store->resolve(std::nullopt, "Gestures", "", TarnLanguage::zhHant), "Gestures");
    // The parent never borrows from its child.
    EXPECT_EQ(store->resolve(std::nullopt, "Buttons", "", TarnLanguage::ptBR), "Botões");
}

TEST_F(TarnLocalizationStoreTest, LoadThatRacedACacheResetIsNotKept)
{
    writeFile(folder("packs") / "de.json", R"({"Settings": "Einstellungen"})");
    TarnLocalizationStore* self = nullptr;
    bool resetDuringRead = true;
    int reads = 0;
    TarnLocalizationStore store({folder("packs")}, {}, [&](const fs::path& file) {
        ++reads;
        if (resetDuringRead && file.filename() == "de.json") {
            // Another thread empties the cache while this load is reading.
            resetDuringRead = false;
            self->reloadCatalogs();
        }
        return TarnLocalizationStore::readPackFile(file);
    });
    self = &store;
    EXPECT_EQ(store.resolve(std::nullopt, "Settings", "", TarnLanguage::de), "Einstellungen");
    EXPECT_EQ(reads, 2);
    // The raced load was not stored, so the next lookup reads again; then it is cached.
    EXPECT_EQ(store.resolve(std::nullopt, "Settings", "", TarnLanguage::de), "Einstellungen");
    EXPECT_EQ(reads, 4);
    EXPECT_EQ(store.resolve(std::nullopt, "Settings", "", TarnLanguage::de), "Einstellungen");
    EXPECT_EQ(reads, 4);
}

TEST_F(TarnLocalizationStoreTest, ConcurrentLookupsAndResets)
{
    writeFile(folder("packs") / "de.json", R"({"strings": {"Settings": "Einstellungen"},
        "templates": {"Saved profile {0}.": "Profil {0} gespeichert."}})");
    writeFile(folder("override.json"), R"({"Scroll": "Rollen"})");
    auto store = makeStore({folder("packs")});
    std::atomic<bool> wrong {false};
    std::vector<std::thread> threads;
    for (int index = 0; index < 4; ++index) {
        threads.emplace_back([&] {
            for (int round = 0; round < 200; ++round) {
                if (store->resolve(std::nullopt, "Settings", "", TarnLanguage::de) != "Einstellungen"
                    || store->resolve(std::nullopt, "Saved profile A.", "", TarnLanguage::de)
                        != "Profil A gespeichert.") {
                    wrong = true;
                }
                const auto scroll = store->resolve(std::nullopt, "Scroll", "", TarnLanguage::en);
                if (scroll != "Scroll" && scroll != "Rollen") {
                    wrong = true;
                }
            }
        });
    }
    threads.emplace_back([&] {
        for (int round = 0; round < 50; ++round) {
            store->reloadCatalogs();
            store->registerSearchDirectory(folder("packs"));
            (void)store->loadJSONPack(folder("override.json"));
            store->clearCustomPack();
        }
    });
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_FALSE(wrong);
}

} // namespace
} // namespace tarn
