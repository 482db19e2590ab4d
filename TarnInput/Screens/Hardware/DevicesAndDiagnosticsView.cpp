#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Hardware/DPICalibrationLabCard.h"
#include "TarnInput/Screens/Hardware/MouseDeviceHardwareCard.h"
#include "TarnInput/Screens/Hardware/PollingRateChart.h"
#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"
#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"

namespace tarn::input {

namespace {

constexpr double kSmallestThresholdMs = 20;
constexpr double kLargestThresholdMs = 90;
// Whole milliseconds, as the value text shows them.
constexpr double kThresholdStepMs = 1;

TarnCardHeader* cardHeader(std::string symbol, double size = 14.5, int spacing = -1)
{
    return makeCardHeader(std::move(symbol), size, Qt::white, spacing);
}

MetricTile* metricTile(const char* name, const QColor& accent)
{
    auto* tile = new MetricTile(19, 10.5);
    tile->setObjectName(name);
    tile->setAccent(accent);
    return tile;
}

} // namespace

DevicesAndDiagnosticsView::DevicesAndDiagnosticsView(HardwareViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
{
    setObjectName("hardwareScreen");
    addSection(buildInventoryCard());
    auto* pair = new QWidget;
    auto* pairRow = makeRow(16);
    pair->setLayout(pairRow);
    pairRow->addWidget(buildPollingCard(), 1, Qt::AlignTop);
    pairRow->addWidget(buildSwitchHealthCard(), 1, Qt::AlignTop);
    addSection(pair);
    m_lab = new DPICalibrationLabCard(m_viewModel, m_accent);
    addSection(m_lab);
    addSection(buildPointerCard());

    connect(&m_viewModel, &HardwareViewModel::languageChanged, this, [this] {
        syncTexts();
        syncDevices();
        syncTelemetry();
    });
    connect(&m_viewModel, &HardwareViewModel::connectedDevicesChanged, this, &DevicesAndDiagnosticsView::syncDevices);
    connect(&m_viewModel, &HardwareViewModel::telemetryChanged, this, &DevicesAndDiagnosticsView::syncTelemetry);
    connect(&m_viewModel, &HardwareViewModel::hzHistoryChanged, this, &DevicesAndDiagnosticsView::syncTelemetry);
    connect(&m_viewModel, &HardwareViewModel::settingsChanged, this, &DevicesAndDiagnosticsView::syncSettings);
    syncTexts();
    syncDevices();
    syncTelemetry();
    syncSettings();
}

QWidget* DevicesAndDiagnosticsView::buildInventoryCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    // Its two buttons stand as far apart as the card's rows.
    m_inventoryTitle = cardHeader("computermouse.fill", 15, column->spacing());
    m_inventoryTitle->title()->setObjectName("inventoryTitle");
    m_copyReport = new TarnGlassButton;
    m_copyReport->setObjectName("copyReport");
    m_copyReport->setSymbol("doc.on.clipboard");
    connect(m_copyReport, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::copyHardwareReport);
    m_rescan = new TarnPrimaryButton;
    m_rescan->setObjectName("rescanDevices");
    m_rescan->setSymbol("arrow.clockwise");
    connect(m_rescan, &QAbstractButton::clicked, this, [this] { m_viewModel.rescanDevices(); });
    m_inventoryTitle->addTrailing(m_copyReport);
    m_inventoryTitle->addTrailing(m_rescan);
    column->addWidget(m_inventoryTitle);

    m_emptyInventory = makeTextLabel(12.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    m_emptyInventory->setObjectName("emptyInventory");
    column->addWidget(m_emptyInventory);
    m_deviceGrid = new QWidget;
    m_deviceGrid->setObjectName("deviceGrid");
    m_deviceLayout = new AdaptiveGridLayout(420, 14, 14, m_deviceGrid);
    column->addWidget(m_deviceGrid);
    return card;
}

QWidget* DevicesAndDiagnosticsView::buildPollingCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(12, &column);
    m_pollingTitle = cardHeader("gauge.with.dots.needle.67percent");
    m_resetPolling = new TarnGlassButton;
    m_resetPolling->setObjectName("resetDiagnostics");
    connect(m_resetPolling, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::resetDiagnostics);
    m_pollingTitle->addTrailing(m_resetPolling);
    column->addWidget(m_pollingTitle);

    m_pollingExplanation = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_pollingExplanation);
    auto* tiles = makeRow(12);
    m_liveHz = metricTile("liveHz", m_accent);
    m_liveHz->setHighlighted(true);
    m_peakHz = metricTile("peakHz", m_accent);
    m_averageHz = metricTile("averageHz", m_accent);
    tiles->addWidget(m_liveHz);
    tiles->addWidget(m_peakHz);
    tiles->addWidget(m_averageHz);
    column->addLayout(tiles);
    m_chart = new PollingRateChart(m_accent);
    m_chart->setObjectName("rateChart");
    column->addWidget(m_chart);
    return card;
}

QWidget* DevicesAndDiagnosticsView::buildSwitchHealthCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(12, &column);
    m_healthTitle = cardHeader("shield.checkered");
    m_guardSwitch = new SwitchToggle;
    m_guardSwitch->setObjectName("doubleClickGuard");
    m_guardSwitch->setControlSize(SwitchToggle::Size::small);
    m_guardSwitch->setAccent(m_accent);
    connect(m_guardSwitch, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::setDoubleClickGuard);
    m_healthTitle->addTrailing(m_guardSwitch);
    column->addWidget(m_healthTitle);

    m_healthExplanation = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_healthExplanation);

    auto* debounce = makeRow();
    m_debounceCaption = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_debounceSlider = new ContinuousSlider(kSmallestThresholdMs, kLargestThresholdMs, kThresholdStepMs);
    m_debounceSlider->setObjectName("debounceSlider");
    m_debounceSlider->setAccent(m_accent);
    connect(
        m_debounceSlider, &ContinuousSlider::valueMoved, &m_viewModel, &HardwareViewModel::setDoubleClickThresholdMs);
    m_debounceValue = makeTextLabel(TarnTextStyle::callout, QFont::Bold, Qt::white, false, TarnFontDesign::monospaced);
    m_debounceValue->setObjectName("debounceValue");
    m_debounceValue->setFixedWidth(52);
    m_debounceValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    debounce->addWidget(m_debounceCaption);
    debounce->addWidget(m_debounceSlider, 1);
    debounce->addWidget(m_debounceValue);
    column->addLayout(debounce);

    auto* tiles = makeRow(10);
    m_lastButton = metricTile("lastButton", m_accent);
    m_lastButton->setValueSize(12.5);
    m_clickInterval = metricTile("clickInterval", m_accent);
    m_bouncesFixed = metricTile("bouncesFixed", m_accent);
    tiles->addWidget(m_lastButton);
    tiles->addWidget(m_clickInterval);
    tiles->addWidget(m_bouncesFixed);
    // The smaller value makes a lower tile; the row keeps one height.
    m_lastButton->setMinimumHeight(m_bouncesFixed->sizeHint().height());
    column->addLayout(tiles);
    return card;
}

QWidget* DevicesAndDiagnosticsView::buildPointerCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    m_pointerTitle = cardHeader("cursorarrow.motionlines");
    column->addWidget(m_pointerTitle);
    m_accelerationToggle = makeCheckBox("disableAcceleration");
    // The view model applies the change to the system and publishes what the system then has;
    // the screen writes nothing itself.
    connect(
        m_accelerationToggle, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::setDisableMouseAcceleration);
    m_windowDragToggle = makeCheckBox("easyWindowDrag");
    connect(m_windowDragToggle, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::setEasyWindowDrag);
    column->addWidget(m_accelerationToggle);
    column->addWidget(m_windowDragToggle);
    return card;
}

void DevicesAndDiagnosticsView::syncTexts()
{
    m_copyReport->setText(tarnQText("Copy Report", "Raporu Kopyala", m_viewModel.language()));
    m_rescan->setText(tarnQText("Rescan HID", "Yeniden Tara", m_viewModel.language()));
    m_emptyInventory->setText(
        tarnQText("No HID mice or pointing devices reported. Plug in a USB/2.4GHz mouse or connect "
                  "Bluetooth to inspect its brand, VID/PID, button count, battery and polling rate.",
            "Henüz harici HID fare raporlanmadı. Marka, VID/PID, tuş sayısı, pil ve tarama hızını (Hz) görmek için "
            "USB/2.4GHz veya Bluetooth farenizi bağlayın.",
            m_viewModel.language()));
    m_pollingTitle->setTitle(
        tarnQText("Live Mouse Polling Rate (Hz)", "Canlı Fare Tarama Hızı (Hz)", m_viewModel.language()));
    m_resetPolling->setText(tarnQText("Reset", "Sıfırla", m_viewModel.language()));
    m_pollingExplanation->setText(tarnQText(
        "Move your mouse in circles to measure real USB/Bluetooth report frequency (125Hz / 500Hz / 1000Hz+).",
        "Gerçek USB/Bluetooth raporlama hızını ölçmek için farenizi dairesel hareket ettirin (125Hz / 500Hz / "
        "1000Hz+).",
        m_viewModel.language()));
    m_liveHz->setTitle(tarnQText("Live Hz", "Anlık Hz", m_viewModel.language()));
    m_peakHz->setTitle(tarnQText("Peak Hz", "Tepe Hz", m_viewModel.language()));
    m_averageHz->setTitle(tarnQText("Avg Hz", "Ort. Hz", m_viewModel.language()));
    m_chart->setWaitingText(
        tarnQText("Waiting for mouse motion...", "Fare hareketi bekleniyor...", m_viewModel.language()));
    m_healthTitle->setTitle(
        tarnQText("Switch Health & Double-Click Fixer", "Tuş Sağlığı & Çift Tık Engelleyici", m_viewModel.language()));
    m_healthExplanation->setText(
        tarnQText("Fixes worn Logitech/Razer mouse switches that accidentally double-click by blocking sub-threshold "
                  "switch bounces while keeping normal human double-clicks intact.",
            "Yıpranmış Logitech/Razer fare tuşlarındaki istem dışı hayalet çift tıklamaları (bounce) yazılımsal "
            "olarak filtreler; normal çift tıklamayı bozmaz.",
            m_viewModel.language()));
    m_debounceCaption->setText(tarnQText("Debounce Window", "Filtre Eşiği", m_viewModel.language()));
    m_lastButton->setTitle(tarnQText("Last Button", "Son Tuş", m_viewModel.language()));
    m_clickInterval->setTitle(tarnQText("Click Interval", "Tık Aralığı", m_viewModel.language()));
    m_bouncesFixed->setTitle(tarnQText("Bounces Fixed", "Engellenen", m_viewModel.language()));
    m_pointerTitle->setTitle(tarnQText("Pro Pointer Precision & Window Manipulation",
        "Pro İmleç Hassasiyeti & Pencere Hareketi", m_viewModel.language()));
    m_accelerationToggle->setText(
        plainButtonText(tarnQText("Disable Mouse Acceleration (Linear 1:1 Tracking for Gaming & Design)",
            "Fare İvmesini Kapat (Oyun & Tasarım için Doğrusal 1:1 Takip)", m_viewModel.language())));
    m_windowDragToggle->setText(plainButtonText(
        tarnQText("Easy Window Move & Resize from Anywhere (Hold Ctrl+Alt + Left-Drag to Move, Ctrl+Alt + "
                  "Right-Drag to Resize)",
            "Her Yerden Pencere Taşı & Boyutlandır (Ctrl+Alt + Sol Sürükle: Taşı, Ctrl+Alt + Sağ Sürükle: Boyutlandır)",
            m_viewModel.language())));
}

void DevicesAndDiagnosticsView::syncDevices()
{
    const auto& devices = m_viewModel.connectedDevices();
    m_inventoryTitle->setTitle(tarnQText("Connected Mice & Trackpad Hardware (",
                                   "Bağlı Fare & Trackpad Donanım Kimliği (", m_viewModel.language())
        + QString::number(devices.size()) + ")");
    while (auto* item = m_deviceLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const auto& device : devices) {
        m_deviceLayout->addWidget(new MouseDeviceHardwareCard(device, m_viewModel.language(), m_accent));
    }
    m_emptyInventory->setVisible(devices.empty());
    m_deviceGrid->setVisible(!devices.empty());
}

void DevicesAndDiagnosticsView::syncTelemetry()
{
    const auto& telemetry = m_viewModel.telemetry();
    m_liveHz->setValue(QString::number(telemetry.currentHz));
    m_peakHz->setValue(QString::number(telemetry.peakHz));
    m_averageHz->setValue(QString::number(telemetry.averageHz));
    m_chart->setRates(m_viewModel.hzHistory(), telemetry.peakHz);
    m_lastButton->setValue(QString::fromStdString(telemetry.lastButtonLabel));
    m_clickInterval->setValue(clickIntervalText(telemetry.lastClickIntervalMs));
    m_bouncesFixed->setValue(QString::number(telemetry.blockedDoubleClicks));
    m_bouncesFixed->setHighlighted(telemetry.blockedDoubleClicks > 0);
}

void DevicesAndDiagnosticsView::syncSettings()
{
    const auto& settings = m_viewModel.settings();
    const QSignalBlocker guard(m_guardSwitch);
    m_guardSwitch->setChecked(settings.doubleClickGuardEnabled);
    m_debounceSlider->setValue(settings.doubleClickGuardThresholdMs);
    m_debounceValue->setText(thresholdText(settings.doubleClickGuardThresholdMs));
    const QSignalBlocker acceleration(m_accelerationToggle);
    m_accelerationToggle->setChecked(settings.disableMouseAcceleration);
    const QSignalBlocker windowDrag(m_windowDragToggle);
    m_windowDragToggle->setChecked(settings.easyWindowDragEnabled);
}

QString DevicesAndDiagnosticsView::thresholdText(double thresholdMs)
{
    return roundedText(thresholdMs) + " ms";
}

QString DevicesAndDiagnosticsView::clickIntervalText(const std::optional<double>& intervalMs)
{
    return intervalMs ? roundedText(*intervalMs) + " ms" : QStringLiteral("—");
}

} // namespace tarn::input
