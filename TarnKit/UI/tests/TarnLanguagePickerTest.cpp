#include "TarnKit/UI/Pickers/TarnLanguagePicker.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/UI/Pickers/TarnLanguageMenuButton.h"
#include "TarnKit/UI/Pickers/TarnLanguageNames.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {
namespace {

class FixedSystemLanguages final : public SystemLanguagePreferences {
public:
    explicit FixedSystemLanguages(std::vector<std::string> tags)
        : m_tags(std::move(tags))
    {
    }
    std::vector<std::string> preferredLanguages() const override { return m_tags; }

private:
    std::vector<std::string> m_tags;
};

// Language settings on an in-memory defaults store, a fixed system language list and a private
// notification center that counts change notices.
struct LanguageWorld {
    explicit LanguageWorld(std::vector<std::string> systemTags, std::optional<std::string> stored = std::nullopt)
        : defaults(std::make_shared<FakeDefaultsStore>())
        , settings(defaults, std::make_shared<FixedSystemLanguages>(std::move(systemTags)), notifications)
        , changes(notifications.observe(
              std::string(kTarnLanguageDidChangeNotification), [this](const Notification&) { ++changeCount; }))
    {
        if (stored) {
            store(*stored);
        }
    }

    void store(const std::string& code) { EXPECT_TRUE(defaults->setValue(kTarnLanguageDefaultsKey, code)); }
    std::optional<std::string> stored() const { return defaults->stringValue(kTarnLanguageDefaultsKey); }

    std::shared_ptr<FakeDefaultsStore> defaults;
    NotificationCenter notifications;
    TarnLanguageSettings settings;
    int changeCount = 0;
    Subscription changes;
};

QComboBox* comboOf(TarnLanguagePicker& picker)
{
    return picker.findChild<QComboBox*>(QStringLiteral("languagePickerCombo"));
}

int rowOf(QComboBox* combo, TarnLanguage language)
{
    return combo->findData(QString::fromUtf8(rawValue(language).data(), static_cast<int>(rawValue(language).size())));
}

void choose(QComboBox* combo, int row)
{
    combo->setCurrentIndex(row);
    emit combo->activated(row);
}

TEST(TarnLanguagePickerTest, OffersTheSystemRowASeparatorAndEveryLanguageByEnglishName)
{
    LanguageWorld world({"de-AT", "en"});
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::en, true, nullptr, &world.settings);
    QComboBox* combo = comboOf(picker);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2 + static_cast<int>(kTarnLanguageCount));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("System Language (Deutsch)"));
    EXPECT_EQ(combo->itemData(1, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("separator"));
    for (std::size_t i = 0; i < kTarnLanguageCount; ++i) {
        const TarnLanguage language = sortedTarnLanguages()[i];
        EXPECT_EQ(combo->itemText(static_cast<int>(i) + 2), TarnLanguageNames::shownName(language));
        EXPECT_EQ(rowOf(combo, language), static_cast<int>(i) + 2);
    }
    EXPECT_EQ(combo->itemText(2), QStringLiteral("العربية (Arabic)"));
    EXPECT_EQ(combo->itemText(6), QStringLiteral("简体中文 (Chinese (Simplified))"));
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("languagePickerTitle"))->text(), QStringLiteral("Language"));
}

TEST(TarnLanguagePickerTest, ATurkishInterfaceTitlesInTurkish)
{
    LanguageWorld world({"de"});
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::tr, true, nullptr, &world.settings);
    EXPECT_EQ(picker.findChild<QLabel*>(QStringLiteral("languagePickerTitle"))->text(), QStringLiteral("Dil"));
    EXPECT_EQ(comboOf(picker)->itemText(0), QStringLiteral("Sistem Dili (Deutsch)"));

    TarnLanguagePicker named(QStringLiteral("Interface"), TarnLanguage::tr, true, nullptr, &world.settings);
    EXPECT_EQ(named.title(), QStringLiteral("Interface"));
}

TEST(TarnLanguagePickerTest, WithoutTitleTheLabelIsHiddenAndTheWidthBounded)
{
    LanguageWorld world({"en"});
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::en, false, nullptr, &world.settings);
    EXPECT_FALSE(picker.findChild<QLabel*>(QStringLiteral("languagePickerTitle"))->isVisibleTo(&picker));
    EXPECT_EQ(picker.minimumWidth(), 190);
    EXPECT_EQ(picker.maximumWidth(), std::max(260, comboOf(picker)->sizeHint().width()))
        << "260 wide at most, unless a language's name needs more";
}

TEST(TarnLanguagePickerTest, PickingALanguageStoresItThenTellsTheOwner)
{
    LanguageWorld world({"en"});
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::en, true, nullptr, &world.settings);
    std::vector<std::optional<std::string>> storedWhenTold;
    QObject::connect(&picker, &TarnLanguagePicker::languageSelected, &picker, [&](TarnLanguage language) {
        storedWhenTold.push_back(world.stored());
        // An owner that also sets the language posts a second change notice.
        world.settings.setCurrent(language);
    });
    QSignalSpy selected(&picker, &TarnLanguagePicker::languageSelected);

    choose(comboOf(picker), rowOf(comboOf(picker), TarnLanguage::de));

    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<TarnLanguage>(), TarnLanguage::de);
    EXPECT_EQ(storedWhenTold, (std::vector<std::optional<std::string>> {"de"}));
    EXPECT_EQ(world.stored(), "de");
    EXPECT_EQ(world.changeCount, 2);
    EXPECT_FALSE(picker.isFollowingSystem());
    EXPECT_EQ(picker.language(), TarnLanguage::de);
    EXPECT_EQ(comboOf(picker)->currentIndex(), rowOf(comboOf(picker), TarnLanguage::de));
}

TEST(TarnLanguagePickerTest, TheSystemRowKeepsSystemStoredEvenWhenTheOwnerSetsTheLanguage)
{
    // Serbian is not an interface language: the system resolves to English.
    LanguageWorld world({"sr-Latn"}, "fr");
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::fr, true, nullptr, &world.settings);
    EXPECT_EQ(comboOf(picker)->itemText(0), QStringLiteral("System Language (English)"));
    QObject::connect(&picker, &TarnLanguagePicker::languageSelected, &picker,
        [&](TarnLanguage language) { world.settings.setCurrent(language); });
    QSignalSpy selected(&picker, &TarnLanguagePicker::languageSelected);

    choose(comboOf(picker), 0);

    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<TarnLanguage>(), TarnLanguage::en);
    EXPECT_EQ(world.stored(), "system");
    EXPECT_TRUE(picker.isFollowingSystem());
    EXPECT_EQ(comboOf(picker)->currentIndex(), 0);
    EXPECT_EQ(world.settings.persistenceGuard().suppressDepth(), 0);
}

TEST(TarnLanguagePickerTest, ShowsTheStoredChoiceAgainWhenItAppears)
{
    LanguageWorld world({"en"}, "system");
    // A stored "system" selects the system row even though the owner passes an explicit language.
    TarnLanguagePicker picker(std::nullopt, TarnLanguage::de, true, nullptr, &world.settings);
    EXPECT_EQ(comboOf(picker)->currentIndex(), 0);

    // Chosen elsewhere while the picker is hidden.
    world.store("de");
    EXPECT_EQ(comboOf(picker)->currentIndex(), 0);
    picker.show();
    EXPECT_FALSE(picker.isFollowingSystem());
    EXPECT_EQ(comboOf(picker)->currentIndex(), rowOf(comboOf(picker), TarnLanguage::de));
}

TEST(TarnLanguageMenuButtonTest, ShowsTheShortCodeOfTheLanguage)
{
    LanguageWorld world({"en"});
    const std::pair<TarnLanguage, const char*> cases[] = {{TarnLanguage::en, "EN"}, {TarnLanguage::ptBR, "PT"},
        {TarnLanguage::zhHant, "ZH-TW"}, {TarnLanguage::tr, "TR"}};
    for (const auto& [language, code] : cases) {
        TarnLanguageMenuButton button(language, nullptr, &world.settings);
        EXPECT_EQ(button.shortCodeText(), QString::fromLatin1(code));
    }
    TarnLanguageMenuButton turkish(TarnLanguage::tr, nullptr, &world.settings);
    EXPECT_EQ(turkish.toolTip(), QStringLiteral("Dil"));
    TarnLanguageMenuButton english(TarnLanguage::en, nullptr, &world.settings);
    EXPECT_EQ(english.toolTip(), QStringLiteral("Language"));
}

QStringList checkedRows(QMenu* menu)
{
    QStringList rows;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && !action->icon().isNull()) {
            rows << action->data().toString();
        }
    }
    return rows;
}

TEST(TarnLanguageMenuButtonTest, TheMenuMarksTheChosenRowAndStoresWhatIsPicked)
{
    LanguageWorld world({"de"}, "system");
    TarnLanguageMenuButton button(TarnLanguage::de, nullptr, &world.settings);
    QMenu* menu = button.languageMenu();
    ASSERT_EQ(menu, button.findChild<QMenu*>(QStringLiteral("languageMenu")));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2 + static_cast<int>(kTarnLanguageCount));
    EXPECT_EQ(actions[0]->text(), QStringLiteral("System Language (Deutsch)"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("العربية (Arabic)"));
    EXPECT_EQ(checkedRows(menu), QStringList {QStringLiteral("system")});

    QSignalSpy selected(&button, &TarnLanguageMenuButton::languageSelected);
    menu->findChild<QAction*>(QStringLiteral("language-fr"))->trigger();
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<TarnLanguage>(), TarnLanguage::fr);
    EXPECT_EQ(world.stored(), "fr");
    EXPECT_EQ(button.shortCodeText(), QStringLiteral("FR"));
    EXPECT_EQ(checkedRows(menu), QStringList {QStringLiteral("fr")});

    actions[0]->trigger();
    EXPECT_EQ(selected.at(1).at(0).value<TarnLanguage>(), TarnLanguage::de);
    EXPECT_EQ(world.stored(), "system");
    EXPECT_EQ(checkedRows(menu), QStringList {QStringLiteral("system")});
}

// A native name in a script no installed font has would show as boxes (and make Qt warn at every
// drawing): the list shows the English name instead, and the native one wherever it can be drawn.
TEST(TarnLanguageNames, NativeNamesOnlyWhereAFontCanDrawThem)
{
    for (const auto language : allTarnLanguages()) {
        const QString shown = TarnLanguageNames::shownName(language);
        const bool drawable = !QFontDatabase::families(TarnLanguageNames::writingSystem(language)).isEmpty();
        EXPECT_EQ(shown, drawable ? QString::fromStdString(displayName(language)) : toQString(englishName(language)))
            << rawValue(language);
    }
    EXPECT_EQ(TarnLanguageNames::writingSystem(TarnLanguage::hi), QFontDatabase::Devanagari);
    EXPECT_EQ(TarnLanguageNames::writingSystem(TarnLanguage::tr), QFontDatabase::Latin);
}

} // namespace
} // namespace tarn
