#include "TarnInput/Screens/Hardware/MouseDeviceHardwareCard.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"

namespace tarn::input {

namespace {

constexpr std::size_t kShownSerialLength = 12;
constexpr std::int64_t kLowBatteryPercent = 20;
const QString kMissing = QStringLiteral("—");

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

std::string batterySymbolFor(std::int64_t percent)
{
    return percent <= kLowBatteryPercent ? "battery.25percent" : "battery.75percent";
}

QColor batteryColorFor(std::int64_t percent)
{
    return percent <= kLowBatteryPercent ? TarnGlassTokens::warning() : TarnGlassTokens::success();
}

QString batteryTextFor(std::int64_t percent)
{
    return QString::fromStdString(fmt::format("{}%", percent));
}

QString optionalNumber(const std::optional<std::int64_t>& value, const char* suffix = "")
{
    return value ? QString::fromStdString(fmt::format("{}{}", *value, suffix)) : kMissing;
}

// The category symbol on a tinted square, in the accent.
class CategoryTile : public QWidget {
public:
    CategoryTile(std::string symbol, QColor accent)
        : m_symbol(std::move(symbol))
        , m_accent(accent)
    {
        setFixedSize(42, 42);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintRoundedRect(
            painter, QRectF(rect()), 11, withOpacity(m_accent, 0.18), Qt::transparent);
        TarnSymbolIcons::paint(painter, QRectF(rect()).adjusted(10, 10, -10, -10), m_symbol, m_accent);
    }

private:
    std::string m_symbol;
    QColor m_accent;
};

// The battery symbol (green, or amber at 20 % and below) and the percent on a capsule.
class BatteryChip : public QWidget {
public:
    explicit BatteryChip(std::int64_t percent)
        : m_percent(percent)
        , m_text(batteryTextFor(percent))
        , m_font(TarnTextStyles::font(TarnTextStyle::callout, QFont::Bold, TarnFontDesign::monospaced))
    {
        setObjectName("batteryChip");
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(m_font);
        const double side = TarnSymbolIcons::sideForText(metrics);
        return QSize(qCeil(16 + side + 4 + metrics.horizontalAdvance(m_text)), qCeil(8 + metrics.height()));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintCapsule(painter, QRectF(rect()), TarnGlassTokens::surface2(), Qt::transparent);
        const QFontMetricsF metrics(m_font);
        const double side = TarnSymbolIcons::sideForText(metrics);
        TarnSymbolIcons::paint(painter, QRectF(8, (height() - side) / 2, side, side), batterySymbolFor(m_percent),
            batteryColorFor(m_percent));
        painter.setFont(m_font);
        painter.setPen(Qt::white);
        TarnBidiText::drawText(
            painter, QRectF(8 + side + 4, 0, width() - side - 20, height()), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    }

private:
    std::int64_t m_percent;
    QString m_text;
    QFont m_font;
};

// One labelled fact on a dark rounded plate.
class SpecBadge : public QWidget {
public:
    SpecBadge(const QString& label, const QString& value)
    {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(8, 6, 8, 6);
        column->setSpacing(2);
        auto* title = makeTextLabel(9.5, QFont::DemiBold, TarnGlassTokens::textMuted(), false);
        title->setText(label);
        auto* shown = makeTextLabel(TarnTextStyle::subheadline, QFont::DemiBold, TarnGlassTokens::textPrimary(), false,
            TarnFontDesign::monospaced);
        shown->setObjectName("specValue");
        shown->setText(TarnTextStyles::oneLine(value));
        // A long value is cut by the cell rather than widening the grid.
        title->setMinimumWidth(1);
        shown->setMinimumWidth(1);
        column->addWidget(title);
        column->addWidget(shown);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintRoundedRect(
            painter, QRectF(rect()), 7, QColor::fromRgbF(0, 0, 0, 0.2F), Qt::transparent);
    }
};

} // namespace

MouseDeviceHardwareCard::MouseDeviceHardwareCard(
    const ConnectedPointerDevice& device, TarnLanguage language, QColor accent, QWidget* parent)
    : QWidget(parent)
    , m_device(device)
    , m_accent(accent)
{
    setObjectName(QString::fromStdString("deviceCard:" + device.id));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    column->addWidget(buildHeader(language));
    auto* divider = new QWidget;
    divider->setFixedHeight(1);
    divider->setAutoFillBackground(true);
    QPalette palette = divider->palette();
    palette.setColor(QPalette::Window, TarnGlassTokens::borderSubtle());
    divider->setPalette(palette);
    column->addWidget(divider);
    column->addWidget(buildSpecGrid(language));
}

QWidget* MouseDeviceHardwareCard::buildHeader(TarnLanguage language)
{
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new CategoryTile(std::string(symbolName(m_device.category)), m_accent), 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto* chips = makeRow(6);
    m_brandChip = new CapsuleChip;
    m_brandChip->setObjectName("brandChip");
    m_brandChip->setTextFont(TarnTextStyles::font(TarnTextStyle::caption, QFont::Black, TarnFontDesign::monospaced));
    m_brandChip->setColors(Qt::white, withOpacity(m_accent, 0.28));
    m_brandChip->setText(QString::fromStdString(m_device.brandName).toUpper());
    m_connectionChip = new CapsuleChip;
    m_connectionChip->setObjectName("connectionChip");
    m_connectionChip->setTextFont(TarnTextStyles::font(TarnTextStyle::caption, QFont::DemiBold));
    m_connectionChip->setColors(TarnGlassTokens::textPrimary(), TarnGlassTokens::surface3());
    m_connectionChip->setText(QString::fromStdString(m_device.connectionBadge()));
    chips->addWidget(m_brandChip);
    chips->addWidget(m_connectionChip);
    chips->addStretch(1);
    texts->addLayout(chips);

    m_product = makeTextLabel(14.5, QFont::Bold, Qt::white, false);
    m_product->setObjectName("productName");
    m_product->setText(TarnTextStyles::oneLine(QString::fromStdString(m_device.productName)));
    m_product->setMinimumWidth(1);
    texts->addWidget(m_product);
    m_category = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_category->setObjectName("categoryLabel");
    m_category->setText(tarnQText(labelEN(m_device.category), labelTR(m_device.category), language));
    texts->addWidget(m_category);
    row->addLayout(texts, 1);

    if (m_device.batteryPercent) {
        row->addWidget(new BatteryChip(*m_device.batteryPercent), 0, Qt::AlignTop);
    }
    return header;
}

QWidget* MouseDeviceHardwareCard::buildSpecGrid(TarnLanguage language)
{
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(8);
    const auto labels = specLabels(language);
    const auto values = specValues(m_device);
    for (int index = 0; index < labels.size(); ++index) {
        auto* badge = new SpecBadge(labels[index], values[index]);
        badge->setObjectName(QStringLiteral("specBadge%1").arg(index));
        layout->addWidget(badge, index / 3, index % 3);
    }
    for (int column = 0; column < 3; ++column) {
        layout->setColumnStretch(column, 1);
    }
    return grid;
}

QStringList MouseDeviceHardwareCard::specLabels(TarnLanguage language)
{
    return {QStringLiteral("VID : PID"), tarnQText("Manufacturer", "Üretici (HID)", language),
        tarnQText("Buttons", "Fiziksel Tuş", language), tarnQText("HID Rate", "Nominal Hız", language),
        QStringLiteral("Firmware"), tarnQText("Serial", "Seri No", language)};
}

QStringList MouseDeviceHardwareCard::specValues(const ConnectedPointerDevice& device)
{
    const auto text
        = [](const std::optional<std::string>& value) { return value ? QString::fromStdString(*value) : kMissing; };
    return {QString::fromStdString(device.vendorProductHex()), QString::fromStdString(device.rawManufacturer),
        optionalNumber(device.physicalButtonCount), optionalNumber(device.nominalPollingRateHz, " Hz"),
        text(device.firmwareVersion), device.serialNumber ? shownSerial(*device.serialNumber) : kMissing};
}

QString MouseDeviceHardwareCard::shownSerial(const std::string& serial)
{
    if (UnicodeText::graphemeCount(serial) <= kShownSerialLength) {
        return QString::fromStdString(serial);
    }
    return QString::fromStdString(UnicodeText::graphemePrefix(serial, kShownSerialLength) + "…");
}

QString MouseDeviceHardwareCard::brandChipText() const
{
    return m_brandChip->text();
}

QString MouseDeviceHardwareCard::connectionChipText() const
{
    return m_connectionChip->text();
}

QString MouseDeviceHardwareCard::productText() const
{
    return m_product->text();
}

QString MouseDeviceHardwareCard::categoryText() const
{
    return m_category->text();
}

QString MouseDeviceHardwareCard::batteryText() const
{
    return m_device.batteryPercent ? batteryTextFor(*m_device.batteryPercent) : QString();
}

std::string MouseDeviceHardwareCard::batterySymbol() const
{
    return m_device.batteryPercent ? batterySymbolFor(*m_device.batteryPercent) : std::string();
}

QColor MouseDeviceHardwareCard::batterySymbolColor() const
{
    return m_device.batteryPercent ? batteryColorFor(*m_device.batteryPercent) : QColor();
}

QColor MouseDeviceHardwareCard::borderColor() const
{
    return m_device.isBuiltIn ? TarnGlassTokens::borderSubtle() : withOpacity(m_accent, 0.45);
}

void MouseDeviceHardwareCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), 14, TarnGlassTokens::surface2(), borderColor());
}

} // namespace tarn::input
