// The studio in Arabic, mirrored as the program mirrors it and in the program's own style: on
// every tab, in the header, the banner and the toast, the Latin texts (English fall-backs,
// numbers with their units, key names) read in their own order — no full stop before its
// sentence, no unit before its number.

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/Studio/StudioTabs.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnKit/UI/Glass/TarnGlassPalette.h"
#include "TarnKit/UI/tests/DrawnTexts.h"

namespace tarn::input::testing {
namespace {

bool hasRightToLeftLetters(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
        [](QChar c) { return c.direction() == QChar::DirR || c.direction() == QChar::DirAL; });
}

// Latin text laid out as a right-to-left paragraph draws its spaces and punctuation, and so
// whatever they separate, in right-to-left runs.
std::vector<std::string> backwardTexts(const QWidget& root)
{
    std::vector<std::string> backward;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisible()) {
            continue;
        }
        const auto drawn = texttest::drawnTexts(*widget);
        const bool reversed = std::any_of(drawn.begin(), drawn.end(),
            [](const auto& run) { return run.rightToLeft && !hasRightToLeftLetters(run.text); });
        if (reversed) {
            backward.push_back(widget->metaObject()->className() + std::string(" ") + widget->objectName().toStdString()
                + " reads \"" + texttest::leftToRight(drawn).toStdString() + "\"");
        }
    }
    return backward;
}

class StudioMirroredText : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_style = QApplication::style()->name();
        m_palette = QApplication::palette();
        TarnGlassPalette::apply(*qApp, ScreenFixture::accent());
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    }

    void TearDown() override
    {
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
    }

private:
    QString m_style;
    QPalette m_palette;
};

TEST_F(StudioMirroredText, EveryTabReadsItsLatinTextsInTheirOwnOrder)
{
    ScreenFixture f;
    f.harness.addDevice("Wireless Mouse", 0x046D);
    auto& vm = f.start();
    vm.setLanguage(TarnLanguage::ar);
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    view.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
    view.show();
    vm.setSelectedTab(InputStudioTab::profiles);
    control<QAbstractButton>(*view.currentScreen(), "template0")->click();
    control<QAbstractButton>(*view.currentScreen(), "preset0")->click();
    vm.showToast("Restored default input settings.", false);
    for (const auto& tab : kStudioTabs) {
        vm.setSelectedTab(tab.tab);
        QApplication::processEvents();
        for (const std::string& backward : backwardTexts(view)) {
            ADD_FAILURE() << tab.name << " tab: " << backward;
        }
    }
}

} // namespace
} // namespace tarn::input::testing
