#include "TarnInput/Screens/Widgets/ScreenParts.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextLabel.h"

namespace tarn::input {

namespace {

// Whole numbers beyond 2^63 cannot pass through an integer; "{:.0f}" prints every digit of the
// already whole double instead.
QString wholeNumberText(double whole)
{
    if (std::isfinite(whole) && std::fabs(whole) < 9.0e18) {
        return QString::fromStdString(fmt::format("{}", static_cast<long long>(whole)));
    }
    return QString::fromStdString(fmt::format("{:.0f}", whole));
}

QLabel* textLabel(const QFont& font, const QColor& color, bool wraps)
{
    auto* label = new TarnTextLabel;
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setWordWrap(wraps);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QLabel* makeTextLabel(TarnTextStyle style, QFont::Weight weight, const QColor& color, bool wraps, TarnFontDesign design)
{
    return textLabel(TarnTextStyles::font(style, weight, design), color, wraps);
}

QLabel* makeTextLabel(double size, QFont::Weight weight, const QColor& color, bool wraps, TarnFontDesign design)
{
    return textLabel(TarnTextStyles::systemFont(size, weight, design), color, wraps);
}

TarnCardHeader* makeCardHeader(std::string symbol, double size, const QColor& color, int spacing)
{
    return new TarnCardHeader(std::move(symbol), {}, TarnTextStyles::systemFont(size, QFont::Bold), color, spacing);
}

QCheckBox* makeCheckBox(const QString& objectName)
{
    auto* box = new QCheckBox;
    box->setObjectName(objectName);
    box->setFont(TarnTextStyles::font(TarnTextStyle::body));
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, TarnGlassTokens::textPrimary());
    box->setPalette(palette);
    return box;
}

SwitchToggle* makeSwitch(const QString& objectName)
{
    auto* toggle = new SwitchToggle;
    toggle->setObjectName(objectName);
    return toggle;
}

void fitPickerToEntries(QComboBox* picker, int width)
{
    picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    picker->setMinimumWidth(width);
    picker->setSizePolicy(QSizePolicy::Fixed, picker->sizePolicy().verticalPolicy());
}

QString plainButtonText(const QString& text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
}

TarnGlassCard* makeScreenCard(int spacing, QVBoxLayout** column)
{
    auto* card = new TarnGlassCard(18, 16);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    card->setContent(content);
    *column = layout;
    return card;
}

QHBoxLayout* makeRow(int spacing)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0) {
        row->setSpacing(spacing);
    }
    return row;
}

void discardWidgets(QLayout* layout)
{
    while (auto* item = layout->takeAt(0)) {
        if (auto* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
}

QString roundedText(double value)
{
    return wholeNumberText(std::round(value));
}

QString truncatedText(double value)
{
    return wholeNumberText(std::trunc(value));
}

} // namespace tarn::input
