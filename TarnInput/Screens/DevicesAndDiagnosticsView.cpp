#include "TarnInput/Screens/DevicesAndDiagnosticsView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/DPICalibrationLabCard.h"
#include "TarnInput/Screens/MouseDeviceHardwareCard.h"
#include "TarnInput/Screens/PollingRateChart.h"
#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"
#include "TarnInput/Screens/Widgets/ContinuousSlider.h"
#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/HardwareViewModel.h"
#include "TarnKit/UI/TarnGlassButton.h"
#include "TarnKit/UI/TarnGlassCard.h"
#include "TarnKit/UI/TarnGlassTokens.h"
#include "TarnKit/UI/TarnPrimaryButton.h"

namespace tarn::input {

namespace {

constexpr double kSmallestThresholdMs = 20;
constexpr double kLargestThresholdMs = 90;

SymbolLabel* cardTitle(std::string symbol, double size = 14.5)
{
    return makeCardTitle(std::move(symbol), size, Qt::white);
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

QString DevicesAndDiagnosticsView::text(std::string_view en, std::string_view tr) const
{
    return screenText(en, tr, m_viewModel.language());
}

QWidget* DevicesAndDiagnosticsView::buildInventoryCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    auto* header = makeRow();
    m_inventoryTitle = cardTitle("computermouse.fill", 15);
    m_inventoryTitle->setObjectName("inventoryTitle");
    m_copyReport = new TarnGlassButton;
    m_copyReport->setObjectName("copyReport");
    m_copyReport->setSymbol("doc.on.clipboard");
    connect(m_copyReport, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::copyHardwareReport);
    m_rescan = new TarnPrimaryButton;
    m_rescan->setObjectName("rescanDevices");
    m_rescan->setSymbol("arrow.clockwise");
    connect(m_rescan, &QAbstractButton::clicked, this, [this] { m_viewModel.rescanDevices(); });
    header->addWidget(m_inventoryTitle);
    header->addStretch(1);
    header->addWidget(m_copyReport);
    header->addWidget(m_rescan);
    column->addLayout(header);

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
    auto* header = makeRow();
    m_pollingTitle = cardTitle("gauge.with.dots.needle.67percent");
    m_resetPolling = new TarnGlassButton;
    m_resetPolling->setObjectName("resetDiagnostics");
    connect(m_resetPolling, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::resetDiagnostics);
    header->addWidget(m_pollingTitle);
    header->addStretch(1);
    header->addWidget(m_resetPolling);
    column->addLayout(header);

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
    auto* header = makeRow();
    m_healthTitle = cardTitle("shield.checkered");
    m_guardSwitch = new SwitchToggle;
    m_guardSwitch->setObjectName("doubleClickGuard");
    m_guardSwitch->setControlSize(SwitchToggle::Size::small);
    m_guardSwitch->setAccent(m_accent);
    connect(m_guardSwitch, &QAbstractButton::clicked, &m_viewModel, &HardwareViewModel::setDoubleClickGuard);
    header->addWidget(m_healthTitle);
    header->addStretch(1);
    header->addWidget(m_guardSwitch);
    column->addLayout(header);

    m_healthExplanation = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_healthExplanation);

    auto* debounce = makeRow();
    m_debounceCaption = makeTextLabel(12, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_debounceSlider = new ContinuousSlider(kSmallestThresholdMs, kLargestThresholdMs);
    m_debounceSlider->setObjectName("debounceSlider");
    m_debounceSlider->setAccent(m_accent);
    connect(
        m_debounceSlider, &ContinuousSlider::valueMoved, &m_viewModel, &HardwareViewModel::setDoubleClickThresholdMs);
    m_debounceValue = makeTextLabel(12, QFont::Bold, Qt::white, false, TarnFontDesign::monospaced);
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
    m_pointerTitle = cardTitle("cursorarrow.motionlines");
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
    m_copyReport->setText(text("Copy Report", "Raporu Kopyala"));
    m_rescan->setText(text("Rescan HID", "Yeniden Tara"));
    m_emptyInventory->setText(text("No HID mice or pointing devices reported. Plug in a USB/2.4GHz mouse or connect "
                                   "Bluetooth to inspect its brand, VID/PID, button count, battery and polling rate.",
        "Henüz harici HID fare raporlanmadı. Marka, VID/PID, tuş sayısı, pil ve tarama hızını (Hz) görmek için "
        "USB/2.4GHz veya Bluetooth farenizi bağlayın."));
    m_pollingTitle->setText(text("Live Mouse Polling Rate (Hz)", "Canlı Fare Tarama Hızı (Hz)"));
    m_resetPolling->setText(text("Reset", "Sıfırla"));
    m_pollingExplanation->setText(
        text("Move your mouse in circles to measure real USB/Bluetooth report frequency (125Hz / 500Hz / 1000Hz+).",
            "Gerçek USB/Bluetooth raporlama hızını ölçmek için farenizi dairesel hareket ettirin (125Hz / 500Hz / "
            "1000Hz+)."));
    m_liveHz->setTitle(text("Live Hz", "Anlık Hz"));
    m_peakHz->setTitle(text("Peak Hz", "Tepe Hz"));
    m_averageHz->setTitle(text("Avg Hz", "Ort. Hz"));
    m_chart->setWaitingText(text("Waiting for mouse motion...", "Fare hareketi bekleniyor..."));
    m_healthTitle->setText(text("Switch Health & Double-Click Fixer", "Tuş Sağlığı & Çift Tık Engelleyici"));
    m_healthExplanation->setText(
        text("Fixes worn Logitech/Razer mouse switches that accidentally double-click by blocking sub-threshold "
             "switch bounces while keeping normal human double-clicks intact.",
            "Yıpranmış Logitech/Razer fare tuşlarındaki istem dışı hayalet çift tıklamaları (bounce) yazılımsal "
            "olarak filtreler; normal çift tıklamayı bozmaz."));
    m_debounceCaption->setText(text("Debounce Window", "Filtre Eşiği"));
    m_lastButton->setTitle(text("Last Button", "Son Tuş"));
    m_clickInterval->setTitle(text("Click Interval", "Tık Aralığı"));
    m_bouncesFixed->setTitle(text("Bounces Fixed", "Engellenen"));
    m_pointerTitle->setText(
        text("Pro Pointer Precision & Window Manipulation", "Pro İmleç Hassasiyeti & Pencere Hareketi"));
    m_accelerationToggle->setText(
        plainButtonText(text("Disable Mouse Acceleration (Linear 1:1 Tracking for Gaming & Design)",
            "Fare İvmesini Kapat (Oyun & Tasarım için Doğrusal 1:1 Takip)")));
    m_windowDragToggle->setText(plainButtonText(text(
        "Easy Window Move & Resize from Anywhere (Hold Ctrl+Alt + Left-Drag to Move, Ctrl+Alt + "
        "Right-Drag to Resize)",
        "Her Yerden Pencere Taşı & Boyutlandır (Ctrl+Alt + Sol Sürükle: Taşı, Ctrl+Alt + Sağ Sürükle: Boyutlandır)")));
}

void DevicesAndDiagnosticsView::syncDevices()
{
    const auto& devices = m_viewModel.connectedDevices();
    m_inventoryTitle->setText(text("Connected Mice & Trackpad Hardware (", "Bağlı Fare & Trackpad Donanım Kimliği (")
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
