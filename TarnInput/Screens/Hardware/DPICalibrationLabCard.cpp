#include "TarnInput/Screens/Hardware/DPICalibrationLabCard.h"

#include <cmath>

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

namespace {

constexpr std::int64_t kSmallestApplicableDPI = 100;

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QString formatted(double value, const char* format)
{
    return QString::fromStdString(fmt::format(fmt::runtime(format), value));
}

// One nominal DPI preset as a capsule button; "selected" tells whether it is the current DPI.
class PresetChip : public QAbstractButton {
public:
    PresetChip(const QString& text, QColor accent)
        : m_accent(accent)
    {
        setText(text);
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        setSelected(false);
    }

    void setSelected(bool selected)
    {
        setProperty("selected", selected);
        setFont(TarnTextStyles::font(
            TarnTextStyle::subheadline, selected ? QFont::Bold : QFont::Medium, TarnFontDesign::monospaced));
        updateGeometry();
        update();
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(font());
        return QSize(qCeil(metrics.horizontalAdvance(text()) + 18), qCeil(metrics.height() + 8));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const bool selected = property("selected").toBool();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintCapsule(painter, QRectF(rect()),
            selected ? withOpacity(m_accent, 0.32) : TarnGlassTokens::surface2(),
            selected ? withOpacity(m_accent, 0.75) : TarnGlassTokens::borderSubtle());
        TarnTextStyles::drawCentredLine(painter, QRectF(rect()), text(), QFontMetricsF(font()), font(),
            selected ? QColor(Qt::white) : TarnGlassTokens::textSecondary());
    }

private:
    QColor m_accent;
};

} // namespace

// A warning dot and a text on a warning-tinted capsule, shown while a test runs.
class CalibratingBadge : public QWidget {
public:
    CalibratingBadge()
        : m_font(TarnTextStyles::font(TarnTextStyle::caption, QFont::Black, TarnFontDesign::monospaced))
    {
        setObjectName("calibratingBadge");
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    void setText(const QString& text)
    {
        m_text = text;
        updateGeometry();
        update();
    }
    QString text() const { return m_text; }

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(m_font);
        return QSize(qCeil(8 + 7 + 5 + metrics.horizontalAdvance(m_text) + 8), qCeil(metrics.height() + 6));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintCapsule(
            painter, QRectF(rect()), withOpacity(TarnGlassTokens::warning(), 0.28), Qt::transparent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(TarnGlassTokens::warning());
        painter.drawEllipse(QRectF(8, (height() - 7) / 2.0, 7, 7));
        painter.setFont(m_font);
        painter.setPen(Qt::white);
        TarnBidiText::drawText(
            painter, QRectF(20, 0, width() - 28, height()), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    }

private:
    QFont m_font;
    QString m_text;
};

// The drag test's dark panel, outlined in the warning colour while a test runs.
class DragPanelFrame : public QWidget {
public:
    void setCalibrating(bool calibrating)
    {
        m_calibrating = calibrating;
        update();
    }
    QColor borderColor() const
    {
        return m_calibrating ? withOpacity(TarnGlassTokens::warning(), 0.65) : TarnGlassTokens::borderSubtle();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        TarnContinuousShape::paintRoundedRect(
            painter, QRectF(rect()), 12, QColor::fromRgbF(0, 0, 0, 0.24F), borderColor());
    }

private:
    bool m_calibrating = false;
};

DPICalibrationLabCard::DPICalibrationLabCard(
    HardwareViewModel& viewModel, QColor accent, QWidget* parent, std::vector<double> dpiPresets)
    : TarnGlassCard(18, 16, parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_dpiPresets(std::move(dpiPresets))
{
    setObjectName("dpiCalibrationLab");
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(buildHeaderRow());
    m_description = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_description);
    column->addWidget(buildNominalDPIRow());
    column->addWidget(buildDragPanel());
    column->addWidget(buildSessionRow());
    setContent(content);

    connect(&m_viewModel, &HardwareViewModel::calibrationChanged, this, &DPICalibrationLabCard::sync);
    connect(&m_viewModel, &HardwareViewModel::languageChanged, this, &DPICalibrationLabCard::sync);
    sync();
}

QWidget* DPICalibrationLabCard::buildHeaderRow()
{
    auto* header = new QWidget;
    auto* row = makeRow(10);
    header->setLayout(row);
    m_title = new SymbolLabel("ruler.fill", TarnTextStyles::systemFont(14.5, QFont::Bold), Qt::white);
    m_badge = new CalibratingBadge;
    m_reset = new TarnGlassButton;
    m_reset->setObjectName("resetLab");
    connect(m_reset, &QAbstractButton::clicked, this, &DPICalibrationLabCard::onResetClicked);
    row->addWidget(m_title);
    row->addWidget(m_badge);
    row->addStretch(1);
    row->addWidget(m_reset);
    return header;
}

QWidget* DPICalibrationLabCard::buildNominalDPIRow()
{
    auto* container = new QWidget;
    auto* row = makeRow(8);
    container->setLayout(row);
    m_dpiCaption = makeTextLabel(TarnTextStyle::callout, QFont::Medium, TarnGlassTokens::textSecondary(), false);
    row->addWidget(m_dpiCaption);
    for (const double preset : m_dpiPresets) {
        auto* chip = new PresetChip(truncatedText(preset), m_accent);
        chip->setObjectName("dpiPreset" + truncatedText(preset));
        connect(chip, &QAbstractButton::clicked, this, [this, preset] { m_viewModel.setNominalDPI(preset); });
        m_presetChips.append(chip);
        row->addWidget(chip);
    }
    row->addStretch(1);
    m_nominalValue = makeTextLabel(12.5, QFont::Bold, m_accent, false, TarnFontDesign::monospaced);
    m_nominalValue->setObjectName("nominalDPI");
    row->addWidget(m_nominalValue);
    return container;
}

QWidget* DPICalibrationLabCard::buildDragPanel()
{
    m_panel = new DragPanelFrame;
    m_panel->setObjectName("dragPanel");
    auto* column = new QVBoxLayout(m_panel);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(10);

    auto* top = makeRow(12);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    m_panelTitle = makeTextLabel(TarnTextStyle::body, QFont::DemiBold, Qt::white, false);
    m_instruction = makeTextLabel(TarnTextStyle::subheadline, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    m_instruction->setObjectName("instruction");
    texts->addWidget(m_panelTitle);
    texts->addWidget(m_instruction);
    top->addLayout(texts, 1);
    m_apply = new TarnGlassButton;
    m_apply->setObjectName("applyMeasuredDPI");
    m_apply->setActive(true);
    m_apply->setSymbol("checkmark.circle");
    connect(m_apply, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::applyMeasuredDPI);
    m_startStop = new TarnPrimaryButton;
    m_startStop->setObjectName("startStopCalibration");
    connect(m_startStop, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::toggleDPICalibration);
    top->addWidget(m_apply);
    top->addWidget(m_startStop);
    column->addLayout(top);

    auto* tiles = makeRow(10);
    m_displacement = new MetricTile(16, 10.5);
    m_displacement->setObjectName("dragDisplacement");
    m_span = new MetricTile(16, 10.5);
    m_span->setObjectName("estimatedSpan");
    m_effectiveDPI = new MetricTile(16, 10.5);
    m_effectiveDPI->setObjectName("effectiveDPI");
    for (auto* tile : {m_displacement, m_span, m_effectiveDPI}) {
        tile->setAccent(m_accent);
        tiles->addWidget(tile);
    }
    column->addLayout(tiles);
    return m_panel;
}

QWidget* DPICalibrationLabCard::buildSessionRow()
{
    auto* container = new QWidget;
    auto* row = makeRow(10);
    container->setLayout(row);
    m_distance = new MetricTile(16, 10.5);
    m_distance->setObjectName("distanceTraveled");
    m_pixels = new MetricTile(16, 10.5);
    m_pixels->setObjectName("cursorPixels");
    m_clicks = new MetricTile(16, 10.5);
    m_clicks->setObjectName("sessionClicks");
    m_ghostBounces = new MetricTile(16, 10.5);
    m_ghostBounces->setObjectName("ghostBounces");
    for (auto* tile : {m_distance, m_pixels, m_clicks, m_ghostBounces}) {
        tile->setAccent(m_accent);
        row->addWidget(tile);
    }
    return container;
}

void DPICalibrationLabCard::onResetClicked()
{
    m_viewModel.resetCalibrationLab();
}

void DPICalibrationLabCard::sync()
{
    const PointerCalibrationSnapshot cal = m_viewModel.calibration();
    m_title->setText(tarnQText(
        "Live DPI Calibration & Distance Lab", "Canlı DPI Kalibrasyon & Mesafe Ölçer", m_viewModel.language()));
    m_badge->setText(tarnQText("CALIBRATING 10 CM", "10 CM ÖLÇÜLÜYOR", m_viewModel.language()));
    m_badge->setVisible(cal.isCalibrating);
    m_reset->setText(tarnQText("Reset Lab", "Sıfırla", m_viewModel.language()));
    m_description->setText(tarnQText("Track real-world cursor travel distance (cm/m) and measure your mouse's true "
                                     "effective DPI with a guided 10 cm mousepad drag test.",
        "Gerçek fiziksel imleç mesafesini (cm/m) takip edin ve rehberli 10 cm mousepad kaydırma testiyle farenizin "
        "gerçek efektif DPI değerini ölçün.",
        m_viewModel.language()));

    m_dpiCaption->setText(tarnQText("Nominal Mouse DPI", "Nominal Fare DPI", m_viewModel.language()));
    for (std::size_t index = 0; index < m_dpiPresets.size(); ++index) {
        static_cast<PresetChip*>(m_presetChips[static_cast<int>(index)])
            ->setSelected(isPresetSelected(m_dpiPresets[index], cal.nominalDPI));
    }
    m_nominalValue->setText(roundedText(cal.nominalDPI) + " DPI");

    m_panel->setCalibrating(cal.isCalibrating);
    m_panelTitle->setText(
        tarnQText("10 cm Mousepad Calibration Drag", "10 cm Mousepad Kalibrasyon Testi", m_viewModel.language()));
    m_instruction->setText(cal.isCalibrating
            ? tarnQText("Move your mouse in a straight 10 cm line on your mousepad, then click Stop & Calculate.",
                "Farenizi mousepad üzerinde düz 10 cm kaydırın, ardından Bitir & Hesapla'ya tıklayın.",
                m_viewModel.language())
            : tarnQText("Place mouse next to a 10 cm ruler, click Start, drag 10 cm straight, then click Stop.",
                "Fareyi 10 cm cetvel hizasına koyun, Başlat'a tıklayıp düz 10 cm kaydırın ve Bitir'e basın.",
                m_viewModel.language()));
    m_apply->setVisible(isApplicable(cal));
    if (cal.measuredEffectiveDPI) {
        const auto measured = std::to_string(*cal.measuredEffectiveDPI);
        m_apply->setText(tarnQText("Apply " + measured + " DPI", measured + " DPI Uygula", m_viewModel.language()));
    }
    m_startStop->setSymbol(cal.isCalibrating ? "stop.circle.fill" : "play.circle.fill");
    m_startStop->setText(cal.isCalibrating
            ? tarnQText("Stop & Calculate", "Bitir & Hesapla", m_viewModel.language())
            : tarnQText("Start 10 cm Test", "10 cm Testi Başlat", m_viewModel.language()));

    m_displacement->setTitle(tarnQText("Drag Displacement", "Kalibrasyon Mesafesi", m_viewModel.language()));
    m_displacement->setValue(roundedText(cal.calibrationDeltaPixels) + " px");
    m_displacement->setHighlighted(cal.isCalibrating);
    m_span->setTitle(tarnQText("Estimated Span", "Tahmini Aralık", m_viewModel.language()));
    m_span->setValue(formatted(estimatedSpanCm(cal), "{:.1f} cm"));
    m_effectiveDPI->setTitle(tarnQText("Effective DPI", "Efektif DPI", m_viewModel.language()));
    m_effectiveDPI->setValue(
        cal.measuredEffectiveDPI ? QString::fromStdString(fmt::format("{} DPI", *cal.measuredEffectiveDPI)) : "—");
    m_effectiveDPI->setHighlighted(cal.measuredEffectiveDPI.has_value());

    m_distance->setTitle(tarnQText("Distance Traveled", "Kat Edilen Mesafe", m_viewModel.language()));
    m_distance->setValue(distanceText(cal));
    m_distance->setHighlighted(true);
    m_pixels->setTitle(tarnQText("Cursor Pixels", "Toplam Piksel", m_viewModel.language()));
    m_pixels->setValue(formattedPixels(cal.sessionPixelsTraveled));
    m_clicks->setTitle(tarnQText("Session Clicks", "Oturum Tıklaması", m_viewModel.language()));
    m_clicks->setValue(QString::number(cal.sessionClicks));
    m_ghostBounces->setTitle(tarnQText("Ghost Bounces Blocked", "Hayalet Tık Engeli", m_viewModel.language()));
    m_ghostBounces->setValue(QString::number(cal.blockedGhostDoubleClicks));
    m_ghostBounces->setHighlighted(cal.blockedGhostDoubleClicks > 0);
}

QString DPICalibrationLabCard::formattedPixels(double pixels)
{
    if (pixels >= 1'000'000) {
        return formatted(pixels / 1'000'000, "{:.2f}M px");
    }
    if (pixels >= 1'000) {
        return formatted(pixels / 1'000, "{:.1f}k px");
    }
    return roundedText(pixels) + " px";
}

double DPICalibrationLabCard::estimatedSpanCm(const PointerCalibrationSnapshot& calibration)
{
    const double pixels = calibration.calibrationDeltaPixels;
    const double dpi = calibration.nominalDPI;
    if (!std::isfinite(pixels) || pixels <= 0 || !std::isfinite(dpi) || dpi <= 0) {
        return 0;
    }
    return pixels / dpi * 2.54;
}

QString DPICalibrationLabCard::distanceText(const PointerCalibrationSnapshot& calibration)
{
    if (calibration.sessionDistanceMeters >= 1) {
        return formatted(calibration.sessionDistanceMeters, "{:.2f} m");
    }
    return formatted(calibration.sessionDistanceCm, "{:.1f} cm");
}

bool DPICalibrationLabCard::isPresetSelected(double preset, double nominalDPI)
{
    return std::fabs(preset - nominalDPI) < 1;
}

bool DPICalibrationLabCard::isApplicable(const PointerCalibrationSnapshot& calibration)
{
    return calibration.measuredEffectiveDPI && !calibration.isCalibrating
        && *calibration.measuredEffectiveDPI >= kSmallestApplicableDPI;
}

} // namespace tarn::input
