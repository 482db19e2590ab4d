#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Profiles/AppProfileEditorCard.h"
#include "TarnInput/Screens/Profiles/NewProfileFormState.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn::input::testing {
namespace {

QList<AppProfileEditorCard*> cards(const QWidget& screen)
{
    return screen.findChildren<AppProfileEditorCard*>();
}

AppInputProfile profileFor(std::string bundleID, std::string name)
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = std::move(bundleID);
    profile.appName = std::move(name);
    return profile;
}

void typeInto(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

TEST(ProfilesAndMacrosView, TemplatesAreOfferedInOrderAndAlwaysHandedToTheViewModel)
{
    ScreenFixture f;
    InputSettings settings;
    // Matches the Safari template only once both are lower-cased.
    settings.appProfiles.push_back(profileFor("COM.APPLE.SAFARI", "Safari"));
    f.harness.writeSettingsFile(settings);
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());

    const auto templates = AppInputProfileEngine::builtInTemplates();
    ASSERT_EQ(templates.size(), 5U);
    QStringList names;
    for (std::size_t index = 0; index < templates.size(); ++index) {
        names << control<QAbstractButton>(screen, QStringLiteral("template%1").arg(index).toLatin1())->text();
    }
    EXPECT_EQ(names, (QStringList {"Xcode", "VS Code", "Figma", "Google Chrome", "Safari"}));

    auto* safari = control<QAbstractButton>(screen, "template4");
    safari->click();
    EXPECT_EQ(vm.settings().appProfiles.size(), 1U) << "the view model refuses the duplicate";
    control<QAbstractButton>(screen, "template1")->click();
    EXPECT_EQ(vm.settings().appProfiles.size(), 2U);
    EXPECT_EQ(control<CapsuleChip>(screen, "profileCount")->text(), "2 profiles");
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {
            {"Profile for Safari already exists.", false}, {"Added VS Code profile.", false}}));
    EXPECT_EQ(cards(screen).size(), 2);

    // Removed and added again, the template comes back as a new profile.
    const auto first = vm.settings().appProfiles[1];
    profiles.removeProfile(first);
    control<QAbstractButton>(screen, "template1")->click();
    ASSERT_EQ(vm.settings().appProfiles.size(), 2U);
    EXPECT_NE(vm.settings().appProfiles[1].id, first.id);
}

TEST(ProfilesAndMacrosView, AddProfileClearsTheFormWhateverTheViewModelDecided)
{
    ScreenFixture f;
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());
    auto* name = control<QLineEdit>(screen, "profileNameField");
    auto* bundle = control<QLineEdit>(screen, "profileBundleIDField");
    auto* add = control<TarnPrimaryButton>(screen, "addProfile");
    EXPECT_FALSE(control<QLabel>(screen, "emptyProfiles")->isHidden());

    add->click();
    typeInto(name, "GIMP");
    typeInto(bundle, " org.gimp.GIMP ");
    add->click();
    EXPECT_EQ(name->text(), "");
    EXPECT_EQ(bundle->text(), "");
    typeInto(bundle, "ORG.GIMP.gimp");
    add->click();
    EXPECT_EQ(bundle->text(), "") << "a refused entry is cleared too";
    EXPECT_EQ(screen.form().bundleID(), "");
    EXPECT_EQ(screen.form().appName(), "");

    ASSERT_EQ(vm.settings().appProfiles.size(), 1U);
    EXPECT_EQ(vm.settings().appProfiles[0].bundleIdentifier, "org.gimp.GIMP");
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{"Enter a valid app ID.", true}, {"Created profile for GIMP.", false},
            {"Profile for ORG.GIMP.gimp already exists.", true}}));
    EXPECT_TRUE(control<QLabel>(screen, "emptyProfiles")->isHidden());
    EXPECT_EQ(control<CapsuleChip>(screen, "profileCount")->text(), "1 profiles");
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(control<CapsuleChip>(screen, "profileCount")->text(), "1 profil");
}

TEST(ProfilesAndMacrosView, ChoosingARunningAppReplacesBothFields)
{
    ScreenFixture f;
    f.harness.engine.workspace.setRunning({{"org.gimp.GIMP", "GIMP"}});
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());
    typeInto(control<QLineEdit>(screen, "profileNameField"), "typed");
    typeInto(control<QLineEdit>(screen, "profileBundleIDField"), "typed.id");
    chooseMenuEntry(*control<RunningAppsMenuButton>(screen, "pickRunningApp"), 0);
    EXPECT_EQ(control<QLineEdit>(screen, "profileNameField")->text(), "GIMP");
    EXPECT_EQ(control<QLineEdit>(screen, "profileBundleIDField")->text(), "org.gimp.GIMP");
    EXPECT_TRUE(vm.settings().appProfiles.empty());
}

TEST(ProfilesAndMacrosView, TheBannerAndTheActiveCardFollowTheFrontmostApplication)
{
    ScreenFixture f;
    InputSettings settings;
    settings.scrollSpeedMultiplier = 1.0;
    auto gimp = profileFor("org.gimp.GIMP", "GIMP");
    gimp.scrollSpeedMultiplierOverride = 1.35;
    settings.appProfiles = {profileFor("org.inkscape.Inkscape", "Inkscape"), gimp};
    f.harness.writeSettingsFile(settings);
    f.harness.engine.workspace.setFrontmost(std::nullopt, "Desktop");
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());

    auto* status = control<SymbolLabel>(screen, "profileCapsuleText");
    EXPECT_EQ(status->text(), "Global Default");
    EXPECT_EQ(status->symbol(), "globe");
    EXPECT_EQ(control<CapsuleChip>(screen, "statusDot")->fillColor(), ScreenFixture::accent());
    EXPECT_EQ(control<QLabel>(screen, "speedChipValue")->text(), "1.00×");
    EXPECT_TRUE(control<RoundedPlate>(screen, "macrosChip")->isHidden());
    EXPECT_TRUE(control<QLabel>(screen, "frontmostBundleID")->isHidden());
    for (auto* card : cards(screen)) {
        EXPECT_FALSE(card->isCurrentlyActive());
    }

    QPointer<AppProfileEditorCard> gimpCard = cards(screen).at(1);
    f.harness.engine.workspace.activate("org.gimp.GIMP", "GIMP");
    f.harness.runMainThread();
    EXPECT_EQ(status->text(), "Profile: GIMP");
    EXPECT_EQ(status->symbol(), "sparkles");
    EXPECT_EQ(control<CapsuleChip>(screen, "statusDot")->fillColor(), TarnGlassTokens::success());
    EXPECT_EQ(control<QLabel>(screen, "speedChipValue")->text(), "1.35×");
    EXPECT_EQ(control<QLabel>(screen, "frontmostBundleID")->text(), "org.gimp.GIMP");
    ASSERT_FALSE(gimpCard.isNull()) << "a new activation keeps the cards";
    EXPECT_TRUE(gimpCard->isCurrentlyActive());
    EXPECT_FALSE(gimpCard->findChild<CapsuleChip*>("activeBadge")->isHidden());
    EXPECT_EQ(gimpCard->border().rgb(), TarnGlassTokens::success().rgb());
    auto* other = cards(screen).at(0);
    EXPECT_FALSE(other->isCurrentlyActive());
    EXPECT_TRUE(other->findChild<CapsuleChip*>("activeBadge")->isHidden());
    EXPECT_EQ(other->border(), TarnGlassTokens::borderSubtle());
}

TEST(ProfilesAndMacrosView, InAMirroredWindowEachChipOfTheBannerReadsAsOnePhrase)
{
    ScreenFixture f;
    auto& vm = f.start();
    vm.setLanguage(TarnLanguage::ar);
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());
    screen.setLayoutDirection(Qt::RightToLeft);
    screen.resize(1000, 800);
    screen.show();
    QApplication::processEvents();
    for (const char* chip : {"wheelChip", "smoothChip", "speedChip"}) {
        auto* value = control<QLabel>(screen, (std::string(chip) + "Value").c_str());
        const auto labels = control<RoundedPlate>(screen, chip)->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        const QLabel* title = labels.at(0) == value ? labels.at(1) : labels.at(0);
        EXPECT_LT(title->geometry().left(), value->geometry().left())
            << chip << ": \"" << title->text().toStdString() << " " << value->text().toStdString()
            << "\", not the value first";
    }
}

TEST(ProfilesAndMacrosView, APublishKeepsCardsAndTheFocusOfAFieldBeingTyped)
{
    ScreenFixture f;
    InputSettings settings;
    settings.appProfiles = {profileFor("org.gimp.GIMP", "GIMP")};
    f.harness.writeSettingsFile(settings);
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    ProfilesAndMacrosView screen(profiles, ScreenFixture::accent());
    screen.show();
    QApplication::setActiveWindow(&screen);
    auto* name = control<QLineEdit>(screen, "profileNameField");
    name->setFocus();
    QTest::keyClicks(name, "Kri");
    QPointer<AppProfileEditorCard> card = cards(screen).at(0);

    choose(*card->findChild<QComboBox*>("wheelOverride"), 1);
    profiles.addProfileTemplate(AppInputProfileEngine::builtInTemplates().at(2));
    vm.applySettingsChange([](InputSettings& s) { s.scrollSpeedMultiplier = 2; });

    ASSERT_FALSE(card.isNull());
    EXPECT_EQ(cards(screen).size(), 2);
    EXPECT_EQ(card->profile().reverseMouseWheelOverride, true);
    EXPECT_TRUE(name->hasFocus());
    EXPECT_EQ(name->text(), "Kri");
    EXPECT_EQ(name->cursorPosition(), 3);

    card->findChild<QAbstractButton*>("removeProfile")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(card.isNull());
    EXPECT_EQ(cards(screen).size(), 1);
    EXPECT_EQ(f.toasts().back(), (RecordedToast {"Removed GIMP profile.", false}));
}

class EditorCardTest : public ::testing::Test {
protected:
    void start(InputSettings settings = {})
    {
        if (settings.appProfiles.empty()) {
            settings.appProfiles = {profileFor("org.gimp.GIMP", "GIMP")};
        }
        f.harness.writeSettingsFile(settings);
        f.start();
        profiles = std::make_unique<ProfilesViewModel>(f.vm(), f.vm(), f.vm(), f.vm());
        screen = std::make_unique<ProfilesAndMacrosView>(*profiles, ScreenFixture::accent());
        f.forgetSaves();
    }
    AppProfileEditorCard& card() { return *cards(*screen).at(0); }
    template <typename Control> Control* part(const char* name) { return control<Control>(card(), name); }
    const AppInputProfile& stored() { return f.vm().settings().appProfiles.at(0); }

    ScreenFixture f;
    std::unique_ptr<ProfilesViewModel> profiles;
    std::unique_ptr<ProfilesAndMacrosView> screen;
};

TEST_F(EditorCardTest, APlainProfileShowsGlobalEverywhereAndNoMacroPickers)
{
    start();
    EXPECT_EQ(part<QComboBox>("wheelOverride")->currentText(), "Global");
    EXPECT_EQ(entries(*part<QComboBox>("wheelOverride")), (QStringList {"Global", "Reversed", "Natural"}));
    EXPECT_EQ(entries(*part<QComboBox>("smoothOverride")), (QStringList {"Global", "On", "Off"}));
    EXPECT_FALSE(part<QCheckBox>("customSpeed")->isChecked());
    EXPECT_TRUE(part<ContinuousSlider>("speedSlider")->isHidden());
    for (const char* picker : {"profileAction2", "profileAction3", "profileAction4"}) {
        EXPECT_EQ(part<QComboBox>(picker)->currentText(), "Inherit Global Action");
        EXPECT_EQ(part<QComboBox>(picker)->count(), 15);
    }
    for (const char* picker : {"profileMacro2", "profileMacro3", "profileMacro4"}) {
        EXPECT_TRUE(part<QComboBox>(picker)->isHidden());
    }
    EXPECT_EQ(f.saves(), 0) << "drawing never writes";
}

TEST_F(EditorCardTest, TriStatePickersStoreAbsentTrueOrFalseOnceEach)
{
    start();
    struct Case {
        const char* picker;
        int index;
        std::optional<bool> AppInputProfile::*field;
        std::optional<bool> stored;
    };
    const Case cases[] {
        {"wheelOverride", 1, &AppInputProfile::reverseMouseWheelOverride, true},
        {"wheelOverride", 2, &AppInputProfile::reverseMouseWheelOverride, false},
        {"wheelOverride", 0, &AppInputProfile::reverseMouseWheelOverride, std::nullopt},
        {"smoothOverride", 2, &AppInputProfile::smoothScrollOverride, false},
        {"smoothOverride", 1, &AppInputProfile::smoothScrollOverride, true},
        {"smoothOverride", 0, &AppInputProfile::smoothScrollOverride, std::nullopt},
    };
    for (const auto& c : cases) {
        f.forgetSaves();
        choose(*part<QComboBox>(c.picker), c.index);
        EXPECT_EQ(stored().*c.field, c.stored) << c.picker << " " << c.index;
        EXPECT_EQ(f.saves(), 1);
        EXPECT_EQ(part<QComboBox>(c.picker)->currentIndex(), c.index);
    }
    EXPECT_EQ(triStateOverride(std::nullopt), TriStateOverride::global);
    EXPECT_EQ(overrideValue(TriStateOverride::disabled), false);
}

TEST_F(EditorCardTest, CustomSpeedIsSeededUnclampedFromTheGlobalSpeed)
{
    InputSettings settings;
    settings.scrollSpeedMultiplier = 4.0;
    start(settings);
    part<QCheckBox>("customSpeed")->click();
    EXPECT_EQ(stored().scrollSpeedMultiplierOverride, 4.0);
    EXPECT_FALSE(part<ContinuousSlider>("speedSlider")->isHidden());
    EXPECT_EQ(part<QLabel>("speedValue")->text(), "4.00×");
    part<ContinuousSlider>("speedSlider")->moveKnobTo(1.5);
    ASSERT_TRUE(stored().scrollSpeedMultiplierOverride);
    EXPECT_NEAR(*stored().scrollSpeedMultiplierOverride, 1.5, 0.01);
    EXPECT_EQ(part<QLabel>("speedValue")->text(), "1.50×");
    part<QCheckBox>("customSpeed")->click();
    EXPECT_FALSE(stored().scrollSpeedMultiplierOverride.has_value());
    EXPECT_TRUE(part<QLabel>("speedValue")->isHidden());
    EXPECT_EQ(f.saves(), 3);
}

TEST_F(EditorCardTest, ButtonPickersMapTagsAndAlwaysSaveOnce)
{
    InputSettings settings;
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Paste twice";
    settings.macros = {macro};
    auto profile = profileFor("org.gimp.GIMP", "GIMP");
    profile.isEnabled = true;
    profile.reverseMouseWheelOverride = false;
    settings.appProfiles = {profile};
    start(settings);

    auto* middle = part<QComboBox>("profileAction2");
    choose(*middle, 0);
    EXPECT_TRUE(stored().buttonActionOverrides.empty());
    EXPECT_EQ(f.saves(), 1) << "choosing inherit without an override still saves";
    choose(*middle, 6);
    EXPECT_EQ(
        stored().buttonActionOverrides, (std::map<std::int64_t, MouseButtonAction> {{2, kAllMouseButtonActions[5]}}));

    auto* back = part<QComboBox>("profileMacro3");
    EXPECT_FALSE(back->isHidden());
    EXPECT_EQ(entries(*back), (QStringList {"No Macro Override", "⚡ Paste twice"}));
    choose(*back, 1);
    EXPECT_EQ(stored().macroBindings, (std::map<std::int64_t, Uuid> {{3, macro.id}}));
    choose(*back, 0);
    EXPECT_TRUE(stored().macroBindings.empty());

    part<QAbstractButton>("profileEnabled")->click();
    EXPECT_FALSE(stored().isEnabled);
    EXPECT_EQ(stored().reverseMouseWheelOverride, false) << "disabling keeps the overrides";
    EXPECT_EQ(f.saves(), 5);
}

} // namespace
} // namespace tarn::input::testing
