// The application name that the Buttons screen's add-rule form and the Profiles screen's
// add-profile form store: a name picked from the running-application menu goes only with the id
// picked there; an id typed over it is stored under its own name (the trimmed id), unless a name
// was typed by hand (Profiles only), which holds for any id.

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/Screens/MouseButtonsView.h"
#include "TarnInput/Screens/Profiles/NewProfileFormState.h"
#include "TarnInput/Screens/Profiles/NewRuleFormState.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

namespace tarn::input::testing {
namespace {

enum class Form { rule, profile };

struct Step {
    enum class Kind { pickNotes, typeID, typeName } kind;
    QString text;
};

Step pickNotes()
{
    return {Step::Kind::pickNotes, {}};
}
Step typeID(QString text)
{
    return {Step::Kind::typeID, std::move(text)};
}
Step typeName(QString text)
{
    return {Step::Kind::typeName, std::move(text)};
}

struct Case {
    const char* what;
    Form form;
    std::vector<Step> steps;
    std::string storedID;
    std::string storedName;
};

void typeOver(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

// The form's screen over the fixture's view model, with the one control each step uses.
class FormScreen {
public:
    FormScreen(ScreenFixture& f, Form form)
        : m_form(form)
        , m_buttons(f.vm(), f.vm(), f.vm())
        , m_profiles(f.vm(), f.vm(), f.vm(), f.vm())
    {
        if (form == Form::rule) {
            m_screen = std::make_unique<MouseButtonsView>(m_buttons, ScreenFixture::accent());
        } else {
            m_screen = std::make_unique<ProfilesAndMacrosView>(m_profiles, ScreenFixture::accent());
        }
    }

    void run(const Step& step)
    {
        switch (step.kind) {
        case Step::Kind::pickNotes:
            chooseMenuEntry(*control<RunningAppsMenuButton>(*m_screen, "pickRunningApp"), 0);
            break;
        case Step::Kind::typeID:
            typeOver(control<QLineEdit>(*m_screen, m_form == Form::rule ? "bundleIDField" : "profileBundleIDField"),
                step.text);
            break;
        case Step::Kind::typeName:
            typeOver(control<QLineEdit>(*m_screen, "profileNameField"), step.text);
            break;
        }
    }

    // What the form will store as the name, shown where the form has a name field.
    std::string formName() const
    {
        if (m_form == Form::rule) {
            return static_cast<MouseButtonsView&>(*m_screen).form().appName();
        }
        const auto name = static_cast<ProfilesAndMacrosView&>(*m_screen).form().appName();
        EXPECT_EQ(control<QLineEdit>(*m_screen, "profileNameField")->text().toStdString(), name)
            << "the name field shows the name that will be stored";
        return name;
    }

    void add() { control<QAbstractButton>(*m_screen, m_form == Form::rule ? "addRule" : "addProfile")->click(); }

private:
    Form m_form;
    ButtonsViewModel m_buttons;
    ProfilesViewModel m_profiles;
    std::unique_ptr<ScreenPage> m_screen;
};

TEST(AddFormAppName, APickedNameGoesOnlyWithThePickedID)
{
    const std::vector<Case> cases {
        {"the prefilled rule", Form::rule, {}, "com.apple.Safari", "Safari"},
        {"an id typed over the prefilled one", Form::rule, {typeID("firefox")}, "firefox", "firefox"},
        {"a picked application", Form::rule, {pickNotes()}, "org.example.Notes", "notes"},
        {"an id typed after a pick", Form::rule, {pickNotes(), typeID("gimp")}, "gimp", "gimp"},
        {"a typed id is trimmed", Form::rule, {pickNotes(), typeID(" gimp ")}, "gimp", "gimp"},
        {"the picked id typed again", Form::rule, {pickNotes(), typeID("gimp"), typeID("org.example.Notes")},
            "org.example.Notes", "notes"},
        {"a picked application", Form::profile, {pickNotes()}, "org.example.Notes", "notes"},
        {"an id typed after a pick", Form::profile, {pickNotes(), typeID("gimp")}, "gimp", "gimp"},
        {"a name typed after a pick", Form::profile, {pickNotes(), typeName("My Notes"), typeID("gimp")}, "gimp",
            "My Notes"},
        {"a pick after a typed name", Form::profile, {typeName("Mine"), pickNotes()}, "org.example.Notes", "notes"},
        {"typed name and id", Form::profile, {typeName("Mine"), typeID("gimp")}, "gimp", "Mine"},
    };
    for (const auto& c : cases) {
        const auto where = std::string(c.form == Form::rule ? "rule: " : "profile: ") + c.what;
        ScreenFixture f;
        f.harness.engine.workspace.setRunning({{"org.example.Notes", "notes"}});
        f.start();
        FormScreen screen(f, c.form);
        for (const auto& step : c.steps) {
            screen.run(step);
        }
        // Without a name of its own the form has none, and the entry is named after its id.
        EXPECT_EQ(screen.formName(), c.storedName == c.storedID ? "" : c.storedName) << where;
        screen.add();
        const auto stored = f.harness.storedSettings();
        if (c.form == Form::rule) {
            ASSERT_EQ(stored.appOverrides.size(), 1U) << where;
            EXPECT_EQ(stored.appOverrides[0].bundleIdentifier, c.storedID) << where;
            EXPECT_EQ(stored.appOverrides[0].appDisplayName, c.storedName) << where;
        } else {
            ASSERT_EQ(stored.appProfiles.size(), 1U) << where;
            EXPECT_EQ(stored.appProfiles[0].bundleIdentifier, c.storedID) << where;
            EXPECT_EQ(stored.appProfiles[0].appName, c.storedName) << where;
        }
    }
}

} // namespace
} // namespace tarn::input::testing
