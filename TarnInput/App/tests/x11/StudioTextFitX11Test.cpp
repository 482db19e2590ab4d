// Every tab of the studio in a real X session with a window manager, in English, Turkish and
// Arabic (mirrored), with the program's own style: at the default size no text a user reads to
// choose is cut (no label, button, chip, wrapped line or picker entry, whichever is chosen, is
// drawn cut short with "…" or beyond the part of its widget that shows, and no widget sticks out
// of its parent), and at the minimum size the tab strip's labels are whole.

#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/ElidedLabel.h"
#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/Studio/StudioTabs.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/tests/DrawnTexts.h"

namespace tarn::input::testing {
namespace {

using texttest::drawnTexts;

// What the widget means to show: the texts a cut one is compared with.
QStringList meantTexts(const QWidget& widget)
{
    if (const auto* elided = qobject_cast<const ElidedLabel*>(&widget)) {
        return {elided->fullText()};
    }
    if (const auto* picker = qobject_cast<const QComboBox*>(&widget)) {
        return entries(*picker);
    }
    return {widget.property("text").toString()};
}

std::string describe(const QWidget& widget, const QString& text)
{
    return widget.metaObject()->className() + std::string(" ") + widget.objectName().toStdString() + " \""
        + text.toStdString() + "\"";
}

// Every text of the widget's own painting that is cut short with "…" or drawn beyond the area
// where it can be seen (a pixel of rounding aside).
void addCuts(const QWidget& widget, std::vector<std::string>& cuts)
{
    const QStringList meant = meantTexts(widget);
    const bool meansEllipsis = meant.join(QString()).contains(QChar(0x2026));
    for (const auto& drawn : drawnTexts(widget)) {
        const QString text = drawn.text.trimmed();
        if (text.isEmpty()) {
            continue;
        }
        if (!meansEllipsis && text.contains(QChar(0x2026))) {
            cuts.push_back(describe(widget, text) + " is cut short");
        } else if (!drawn.visible.adjusted(-1, -2, 1, 2).contains(drawn.line)) {
            cuts.push_back(describe(widget, text) + " is drawn beyond the part that shows");
        }
    }
}

// A widget that sticks out of its parent is cut by it; the pages in scroll areas may.
void addOverhang(const QWidget& widget, std::vector<std::string>& cuts)
{
    const QWidget* parent = widget.parentWidget();
    if (parent == nullptr || qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()) != nullptr) {
        return;
    }
    if (!parent->rect().contains(widget.geometry())) {
        cuts.push_back(describe(widget, meantTexts(widget).join(QStringLiteral(" | "))) + " sticks out of its "
            + parent->metaObject()->className());
    }
}

std::vector<std::string> cutsOf(QWidget& widget)
{
    std::vector<std::string> cuts;
    addOverhang(widget, cuts);
    auto* picker = qobject_cast<QComboBox*>(&widget);
    if (picker == nullptr) {
        addCuts(widget, cuts);
        return cuts;
    }
    // Whichever entry is chosen is shown whole.
    const QSignalBlocker quiet(picker);
    const int chosen = picker->currentIndex();
    for (int index = 0; index < picker->count(); ++index) {
        picker->setCurrentIndex(index);
        addCuts(*picker, cuts);
    }
    picker->setCurrentIndex(chosen);
    return cuts;
}

// Every cut text among the shown widgets under `root`, scrolled out of sight or not.
std::vector<std::string> cutTexts(const QWidget& root)
{
    std::vector<std::string> cuts;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->isVisible()) {
            for (std::string& cut : cutsOf(*widget)) {
                cuts.push_back(std::move(cut));
            }
        }
    }
    return cuts;
}

struct Language {
    TarnLanguage language;
    const char* name;
};

class StudioTextFitX11 : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        m_style = QApplication::style()->name();
        m_palette = QApplication::palette();
        TarnGlassPalette::apply(*qApp, ScreenFixture::accent());
        QGuiApplication::setLayoutDirection(layoutDirection(GetParam().language) == TarnLayoutDirection::rightToLeft
                ? Qt::RightToLeft
                : Qt::LeftToRight);
        m_fixture.harness.addDevice("Wireless Mouse", 0x046D);
        m_fixture.harness.addDevice("Touchpad", 0, true);
        m_fixture.start().setLanguage(GetParam().language);
    }

    void TearDown() override
    {
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
    }

    // The studio as the program opens it, at `size`, placed by the window manager.
    void show(MainInputStudioView& view, QSize size)
    {
        view.setMinimumSize(StudioApplication::kMinimumWidth, StudioApplication::kMinimumHeight);
        view.resize(size);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.size() == size; }, 5000))
            << "the window manager kept another size";
    }

    ScreenFixture m_fixture;
    TestStudioKit m_kit;

private:
    QString m_style;
    QPalette m_palette;
};

TEST_P(StudioTextFitX11, EveryTabShowsItsTextsWholeAtTheDefaultSize)
{
    auto& vm = m_fixture.vm();
    MainInputStudioView view(vm, ScreenFixture::accent(), m_kit.kit());
    show(view, {StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight});
    // A profile, a saved macro and a toast show texts that an empty studio has not.
    vm.setSelectedTab(InputStudioTab::profiles);
    control<QAbstractButton>(*view.currentScreen(), "template0")->click();
    control<QAbstractButton>(*view.currentScreen(), "preset0")->click();
    auto* toast = control<QWidget>(view, "toast");
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.rect().contains(toast->geometry()); }, 2000))
        << "the toast never came in whole";
    for (const auto& tab : kStudioTabs) {
        vm.setSelectedTab(tab.tab);
        QApplication::processEvents();
        for (const std::string& cut : cutTexts(view)) {
            ADD_FAILURE() << GetParam().name << ", " << tab.name << " tab: " << cut;
        }
    }
}

TEST_P(StudioTextFitX11, TheTabStripShowsEveryLabelWholeAtTheMinimumSize)
{
    MainInputStudioView view(m_fixture.vm(), ScreenFixture::accent(), m_kit.kit());
    show(view, {StudioApplication::kMinimumWidth, StudioApplication::kMinimumHeight});
    for (const auto& tab : kStudioTabs) {
        auto* button = control<QAbstractButton>(view, (std::string(tab.name) + "Tab").c_str());
        for (const std::string& cut : cutsOf(*button)) {
            ADD_FAILURE() << GetParam().name << ": " << cut;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, StudioTextFitX11,
    ::testing::Values(Language {TarnLanguage::en, "English"}, Language {TarnLanguage::tr, "Turkish"},
        Language {TarnLanguage::ar, "Arabic"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::input::testing
