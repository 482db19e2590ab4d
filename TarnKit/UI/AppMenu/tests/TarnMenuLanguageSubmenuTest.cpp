#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "Platform/Fake/Foundation/FakeSystemLanguagePreferences.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/UI/AppMenu/TarnMenuElement.h"
#include "TarnKit/UI/AppMenu/tests/MenuTestWorld.h"

namespace tarn {
namespace {

using Lines = std::vector<std::string>;

// A menu with the language submenu, over language settings kept in memory; the owner keeps its
// own copy of the language and, like most owners, sets it again when told.
struct LanguageMenuWorld {
    explicit LanguageMenuWorld(std::vector<std::string> systemLanguages)
        : defaults(std::make_shared<FakeDefaultsStore>())
        , settings(defaults, std::make_shared<FakeSystemLanguagePreferences>(std::move(systemLanguages)),
              world.notifications)
    {
        world.controller.reset();
        world.controller = std::make_unique<TarnAppMenuController>(
            TarnAppMenuConfiguration {"TarnNotes", [this] { return ownerLanguage; }, {}, {}, {}, std::nullopt,
                {TarnCustomMenu("View",
                    {TarnMenuElement::languageSubmenu(
                        settings, [this] { return ownerLanguage; },
                        [this](TarnLanguage language) {
                            selected.push_back(std::string(rawValue(language)));
                            ownerLanguage = language;
                            settings.setCurrent(language);
                        })})},
                "", {}},
            TarnAppMenuServices {world.feedback, BuildInfo {}, world.notifications});
    }

    QMenu* submenu() const { return world.menu("customMenu")->actions().front()->menu(); }
    std::optional<std::string> stored() const { return defaults->stringValue(kTarnLanguageDefaultsKey); }

    MenuWorld world;
    std::shared_ptr<FakeDefaultsStore> defaults;
    TarnLanguageSettings settings;
    TarnLanguage ownerLanguage = TarnLanguage::en;
    Lines selected;
};

// The rows that carry the check mark.
Lines checkedRows(QMenu* menu)
{
    Lines rows;
    for (const std::string& line : MenuWorld::entries(menu)) {
        if (line.rfind("✓ ", 0) == 0) {
            rows.push_back(line);
        }
    }
    return rows;
}

TEST(TarnMenuLanguageSubmenu, OffersTheSystemRowThenEveryLanguageByEnglishName)
{
    LanguageMenuWorld languages({"de-AT", "en"});
    QMenu* menu = languages.submenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuWorld::shown(menu->title()), "Language");
    const Lines rows = MenuWorld::entries(menu);
    ASSERT_EQ(rows.size(), 1 + kTarnLanguageCount);
    EXPECT_EQ(rows[0], "✓ System Language (Deutsch)");
    for (std::size_t i = 0; i < kTarnLanguageCount; ++i) {
        EXPECT_EQ(rows[i + 1], displayName(sortedTarnLanguages()[i]));
    }
    for (const QAction* action : menu->actions()) {
        EXPECT_TRUE(action->shortcut().isEmpty());
    }

    languages.ownerLanguage = TarnLanguage::tr;
    EXPECT_EQ(MenuWorld::entries(menu)[0], "✓ Sistem Dili (Deutsch)");
    emit languages.world.menu("customMenu")->aboutToShow();
    EXPECT_EQ(MenuWorld::shown(menu->title()), "Dil");
}

TEST(TarnMenuLanguageSubmenu, ChoosingALanguageStoresItAndMovesTheCheckMark)
{
    LanguageMenuWorld languages({"en"});
    QMenu* menu = languages.submenu();
    MenuWorld::entries(menu);
    MenuWorld::entry(menu, displayName(TarnLanguage::de))->trigger();
    EXPECT_EQ(languages.stored(), "de");
    EXPECT_EQ(languages.selected, (Lines {"de"}));
    EXPECT_EQ(checkedRows(menu), (Lines {"✓ " + displayName(TarnLanguage::de)}));
}

TEST(TarnMenuLanguageSubmenu, ChoosingTheSystemKeepsSystemStoredWhateverTheOwnerSets)
{
    struct Case {
        std::vector<std::string> system;
        std::string selected;
        std::string row;
    };
    const std::vector<Case> cases {
        {{"fr-CA", "en"}, "fr", "✓ System Language (Français)"},
        // Nothing the interface knows: English stands in.
        {{"x-klingon", "sr"}, "en", "✓ System Language (English)"},
    };
    for (const Case& c : cases) {
        LanguageMenuWorld languages(c.system);
        languages.settings.setCurrent(TarnLanguage::tr);
        languages.ownerLanguage = TarnLanguage::tr;
        QMenu* menu = languages.submenu();
        EXPECT_EQ(checkedRows(menu), (Lines {"✓ Türkçe (Turkish)"}));
        menu->actions().front()->trigger();
        EXPECT_EQ(languages.stored(), "system") << c.selected;
        EXPECT_EQ(languages.selected, (Lines {c.selected}));
        EXPECT_EQ(checkedRows(menu), (Lines {c.row}));
    }
}

} // namespace
} // namespace tarn
