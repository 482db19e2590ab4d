// Latin texts in a mirrored (right-to-left) layout: every text component of the kit draws them in
// their own reading order, with their full stop, unit or colon where it belongs, and starts them
// at the layout's leading edge, under their heading.

#include <algorithm>
#include <functional>
#include <memory>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "TarnKit/UI/Glass/TarnGlassStyle.h"
#include "TarnKit/UI/Glass/TarnToastBanner.h"
#include "TarnKit/UI/Text/TarnLabel.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"
#include "TarnKit/UI/Text/TarnWrappingText.h"
#include "TarnKit/UI/tests/DrawnTexts.h"

namespace tarn {
namespace {

using texttest::drawnTexts;
using texttest::leftToRight;

QFont bodyFont()
{
    return TarnTextStyles::font(TarnTextStyle::body);
}

// The widget that draws the text: itself, or the viewport of a text view.
const QWidget& drawingWidget(const QWidget& widget)
{
    const auto* view = qobject_cast<const QAbstractScrollArea*>(&widget);
    return view != nullptr ? *view->viewport() : widget;
}

struct Component {
    const char* name;
    std::function<std::unique_ptr<QWidget>(const QString&)> make;
};

// The kit's application style draws the texts of the standard controls.
TarnGlassStyle& glassStyle()
{
    static TarnGlassStyle style;
    return style;
}

template <typename Control> std::unique_ptr<QWidget> styledControl(std::unique_ptr<Control> control)
{
    control->setStyle(&glassStyle());
    return control;
}

const std::vector<Component>& components()
{
    static const std::vector<Component> all {
        {"label", [](const QString& text) { return std::unique_ptr<QWidget>(tarnLabel(text, bodyFont(), Qt::white)); }},
        {"toast", [](const QString& text) { return std::make_unique<TarnToastBanner>(text, false); }},
        {"symbol label",
            [](const QString& text) {
                return std::make_unique<TarnSymbolLabel>("gearshape.fill", text, bodyFont(), Qt::white);
            }},
        {"wrapping text",
            [](const QString& text) { return std::make_unique<TarnWrappingText>(text, bodyFont(), Qt::white); }},
        {"button", [](const QString& text) { return styledControl(std::make_unique<QPushButton>(text)); }},
        {"picker",
            [](const QString& text) {
                auto picker = std::make_unique<QComboBox>();
                picker->addItem(text);
                return styledControl(std::move(picker));
            }},
    };
    return all;
}

// The whole application mirrored, as the program mirrors it for Arabic, while it lives.
class ApplicationDirection {
public:
    explicit ApplicationDirection(Qt::LayoutDirection direction) { QGuiApplication::setLayoutDirection(direction); }
    ~ApplicationDirection() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
    ApplicationDirection(const ApplicationDirection&) = delete;
    ApplicationDirection& operator=(const ApplicationDirection&) = delete;
};

std::unique_ptr<QWidget> shown(const Component& component, const QString& text)
{
    auto widget = component.make(text);
    widget->resize(std::max(widget->sizeHint().width(), 320), widget->sizeHint().height() + 8);
    widget->show();
    QApplication::processEvents();
    return widget;
}

TEST(TarnMirroredTextTest, LatinTextsReadInTheirOwnOrderInAMirroredLayout)
{
    const QString texts[] {QStringLiteral("Restored default input settings."), QStringLiteral("0.0 cm"),
        QStringLiteral("80 ms"), QStringLiteral("Speed: 1.80×")};
    for (const Component& component : components()) {
        for (const QString& text : texts) {
            const ApplicationDirection mirrored(Qt::RightToLeft);
            const auto widget = shown(component, text);
            EXPECT_EQ(leftToRight(drawnTexts(drawingWidget(*widget))).trimmed().toStdString(), text.toStdString())
                << component.name;
        }
    }
}

TEST(TarnMirroredTextTest, AParagraphStartsAtTheLayoutsLeadingEdge)
{
    const QString paragraph = QStringLiteral("Move your mouse in circles to measure the report rate.");
    for (const char* name : {"label", "wrapping text"}) {
        const auto& component = *std::find_if(
            components().begin(), components().end(), [&](const auto& c) { return c.name == std::string(name); });
        for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            const ApplicationDirection layout(direction);
            const auto widget = shown(component, paragraph);
            widget->resize(widget->sizeHint().width() + 200, widget->height());
            QApplication::processEvents();
            const QWidget& drawing = drawingWidget(*widget);
            const auto drawn = drawnTexts(drawing);
            ASSERT_FALSE(drawn.empty()) << name;
            const QRectF line = drawn.front().line;
            if (direction == Qt::RightToLeft) {
                EXPECT_NEAR(line.right(), drawing.width(), 2.0) << name << ": ends at the right edge, as its heading";
            } else {
                EXPECT_NEAR(line.left(), 0.0, 2.0) << name;
            }
        }
    }
}

} // namespace
} // namespace tarn
