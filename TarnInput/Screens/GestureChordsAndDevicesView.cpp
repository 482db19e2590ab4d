#include "TarnInput/Screens/GestureChordsAndDevicesView.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

namespace {

// The pickers are this wide unless an entry needs more.
constexpr int kPickerWidth = 240;

constexpr double kSmallestThreshold = 24;
constexpr double kLargestThreshold = 110;
// Whole points: the value text shows no fraction, so none is stored.
constexpr double kThresholdStep = 1;

struct TriggerEntry {
    MouseButtonKind button;
    std::string_view en;
    std::string_view tr;
};

// The trigger picker's own texts.
constexpr std::array<TriggerEntry, 3> kTriggerEntries {{
    {MouseButtonKind::middle, "Middle Click (Wheel)", "Orta Tık (Tekerlek)"},
    {MouseButtonKind::sideBack, "Side Button 4 (Back)", "Yan Tuş 4 (Geri)"},
    {MouseButtonKind::sideForward, "Side Button 5 (Forward)", "Yan Tuş 5 (İleri)"},
}};

struct DirectionRow {
    const char* name;
    GestureDirection direction;
    const char* symbol;
    std::string_view en;
    std::string_view tr;
};

constexpr std::array<DirectionRow, 4> kDirectionRows {{
    {"gestureUp", GestureDirection::up, "arrow.up.circle.fill", "Drag Up", "Yukarı Sürükle"},
    {"gestureDown", GestureDirection::down, "arrow.down.circle.fill", "Drag Down", "Aşağı Sürükle"},
    {"gestureLeft", GestureDirection::left, "arrow.left.circle.fill", "Drag Left", "Sola Sürükle"},
    {"gestureRight", GestureDirection::right, "arrow.right.circle.fill", "Drag Right", "Sağa Sürükle"},
}};

int actionIndex(MouseButtonAction action)
{
    return static_cast<int>(std::find(kAllMouseButtonActions.begin(), kAllMouseButtonActions.end(), action)
        - kAllMouseButtonActions.begin());
}

int triggerIndex(MouseButtonKind button)
{
    const auto found = std::find_if(kTriggerEntries.begin(), kTriggerEntries.end(),
        [button](const TriggerEntry& entry) { return entry.button == button; });
    return static_cast<int>(found - kTriggerEntries.begin());
}

void setEntry(QComboBox* picker, int index, const QString& label)
{
    if (index < picker->count()) {
        picker->setItemText(index, label);
    } else {
        picker->addItem(label);
    }
}

} // namespace

GestureChordsAndDevicesView::GestureChordsAndDevicesView(ButtonsViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
{
    setObjectName("gesturesScreen");
    addSection(buildGestureCard());
    addSection(buildDeviceCard());
    connect(&m_viewModel, &ButtonsViewModel::languageChanged, this, &GestureChordsAndDevicesView::syncTexts);
    connect(&m_viewModel, &ButtonsViewModel::settingsChanged, this, &GestureChordsAndDevicesView::syncSettings);
    connect(&m_viewModel, &ButtonsViewModel::connectedDevicesChanged, this, &GestureChordsAndDevicesView::syncDevices);
    syncTexts();
    syncSettings();
    syncDevices();
}

QWidget* GestureChordsAndDevicesView::buildGestureCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    m_gestureTitle = makeCardHeader("hand.draw.fill", 15, TarnGlassTokens::textPrimary());
    m_gestureSwitch = new SwitchToggle;
    m_gestureSwitch->setObjectName("gestureChords");
    m_gestureSwitch->setControlSize(SwitchToggle::Size::small);
    m_gestureSwitch->setAccent(m_accent);
    connect(m_gestureSwitch, &QAbstractButton::clicked, &m_viewModel, &ButtonsViewModel::setGestureChords);
    m_gestureTitle->addTrailing(m_gestureSwitch);
    column->addWidget(m_gestureTitle);

    m_explanation = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    column->addWidget(m_explanation);

    auto* trigger = makeRow();
    m_triggerCaption = makeTextLabel(TarnTextStyle::body, QFont::Normal, TarnGlassTokens::textPrimary(), false);
    m_triggerPicker = new QComboBox;
    m_triggerPicker->setObjectName("gestureTrigger");
    fitPickerToEntries(m_triggerPicker, kPickerWidth);
    connect(m_triggerPicker, &QComboBox::activated, this, [this](int chosen) {
        m_viewModel.setGestureTrigger(kTriggerEntries[static_cast<std::size_t>(chosen)].button);
    });
    trigger->addWidget(m_triggerCaption);
    trigger->addStretch(1);
    trigger->addWidget(m_triggerPicker);
    column->addLayout(trigger);

    for (std::size_t index = 0; index < kDirectionRows.size(); ++index) {
        const auto& direction = kDirectionRows[index];
        auto* row = makeRow();
        m_directionLabels[index] = new SymbolLabel(
            direction.symbol, TarnTextStyles::font(TarnTextStyle::body, QFont::Medium), TarnGlassTokens::textPrimary());
        auto* picker = new QComboBox;
        picker->setObjectName(direction.name);
        fitPickerToEntries(picker, kPickerWidth);
        connect(picker, &QComboBox::activated, this, [this, which = direction.direction](int chosen) {
            m_viewModel.setGestureAction(which, kAllMouseButtonActions[static_cast<std::size_t>(chosen)]);
        });
        m_directionPickers[index] = picker;
        row->addWidget(m_directionLabels[index]);
        row->addStretch(1);
        row->addWidget(picker);
        column->addLayout(row);
    }

    auto* threshold = makeRow();
    m_thresholdCaption = makeTextLabel(TarnTextStyle::body, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_thresholdSlider = new ContinuousSlider(kSmallestThreshold, kLargestThreshold, kThresholdStep);
    m_thresholdSlider->setObjectName("gestureThresholdSlider");
    m_thresholdSlider->setAccent(m_accent);
    // Written as moved, every step of a drag; the slider keeps to whole points.
    connect(m_thresholdSlider, &ContinuousSlider::valueMoved, &m_viewModel, &ButtonsViewModel::setGestureThreshold);
    m_thresholdValue = makeTextLabel(TarnTextStyle::callout, QFont::Bold, Qt::white, false, TarnFontDesign::monospaced);
    m_thresholdValue->setObjectName("gestureThresholdValue");
    m_thresholdValue->setFixedWidth(52);
    m_thresholdValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    threshold->addWidget(m_thresholdCaption);
    threshold->addWidget(m_thresholdSlider, 1);
    threshold->addWidget(m_thresholdValue);
    column->addLayout(threshold);
    return card;
}

QWidget* GestureChordsAndDevicesView::buildDeviceCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(12, &column);
    m_deviceTitle = makeCardHeader("cpu.fill", 14.5, TarnGlassTokens::textPrimary());
    m_rescan = new TarnGlassButton;
    m_rescan->setObjectName("rescanDevices");
    m_rescan->setSymbol("arrow.clockwise");
    // The silent rescan: a changed list is published and logged, and no toast is shown.
    connect(m_rescan, &QAbstractButton::clicked, this, [this] { m_viewModel.rescanDevices(); });
    m_deviceTitle->addTrailing(m_rescan);
    column->addWidget(m_deviceTitle);

    m_emptyDevices = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textMuted(), true);
    m_emptyDevices->setObjectName("emptyDevices");
    column->addWidget(m_emptyDevices);
    m_deviceRows = new QVBoxLayout;
    m_deviceRows->setContentsMargins(0, 0, 0, 0);
    m_deviceRows->setSpacing(12);
    column->addLayout(m_deviceRows);
    return card;
}

void GestureChordsAndDevicesView::syncTexts()
{
    const auto language = m_viewModel.language();
    m_gestureTitle->setTitle(
        tarnQText("Hold-Button Mouse Gesture Chords", "Basılı Tut + Sürükle Fare Hareketleri", m_viewModel.language()));
    m_gestureSwitch->setText(tarnQText("Enable Gestures", "Hareketleri Aç", m_viewModel.language()));
    m_explanation->setText(
        tarnQText("Hold your trigger button and flick in any direction to open the Activities Overview, "
                  "switch workspaces, or show applications — a short click still fires the button's "
                  "normal action.",
            "Tetikleyici fare tuşuna basılı tutup 4 yöne sürükleyerek Etkinlikler Genel Görünümü, çalışma alanı geçişi "
            "veya uygulamaları göster tetikleyin — kısa tıklama normal işlevini korur.",
            m_viewModel.language()));
    m_triggerCaption->setText(tarnQText("Trigger Button", "Tetikleyici Tuş", m_viewModel.language()));
    for (std::size_t index = 0; index < kTriggerEntries.size(); ++index) {
        setEntry(m_triggerPicker, static_cast<int>(index),
            tarnQText(kTriggerEntries[index].en, kTriggerEntries[index].tr, m_viewModel.language()));
    }
    for (std::size_t row = 0; row < kDirectionRows.size(); ++row) {
        m_directionLabels[row]->setText(
            tarnQText(kDirectionRows[row].en, kDirectionRows[row].tr, m_viewModel.language()));
        for (std::size_t index = 0; index < kAllMouseButtonActions.size(); ++index) {
            const auto action = kAllMouseButtonActions[index];
            setEntry(m_directionPickers[row], static_cast<int>(index),
                tarnQText(labelEN(action), labelTR(action), language));
        }
    }
    m_thresholdCaption->setText(
        tarnQText("Drag Deadzone Threshold", "Sürükleme Eşik Mesafesi", m_viewModel.language()));
    m_deviceTitle->setTitle(tarnQText(
        "Connected HID Mice & Pointing Hardware", "Bağlı HID Fare & İşaretçi Donanımları", m_viewModel.language()));
    m_rescan->setText(tarnQText("Rescan HID", "Tara", m_viewModel.language()));
    m_emptyDevices->setText(
        tarnQText("No external HID mice reported yet.", "Harici HID fare raporlanmadı.", m_viewModel.language()));
    alignPickerColumn();
    // Texts set while the pickers were filled may have moved their selection; show the model again.
    syncSettings();
}

void GestureChordsAndDevicesView::alignPickerColumn()
{
    // The five pickers stand in one column: all as wide as the one whose entries need the most.
    int width = kPickerWidth;
    width = std::max(width, m_triggerPicker->sizeHint().width());
    for (const QComboBox* picker : m_directionPickers) {
        width = std::max(width, picker->sizeHint().width());
    }
    m_triggerPicker->setMinimumWidth(width);
    for (QComboBox* picker : m_directionPickers) {
        picker->setMinimumWidth(width);
    }
}

void GestureChordsAndDevicesView::syncSettings()
{
    const auto& settings = m_viewModel.settings();
    {
        const QSignalBlocker blocker(m_gestureSwitch);
        m_gestureSwitch->setChecked(settings.gestureChordsEnabled);
    }
    {
        const QSignalBlocker blocker(m_triggerPicker);
        m_triggerPicker->setCurrentIndex(triggerIndex(settings.gestureTriggerButton));
    }
    for (std::size_t row = 0; row < kDirectionRows.size(); ++row) {
        const QSignalBlocker blocker(m_directionPickers[row]);
        m_directionPickers[row]->setCurrentIndex(actionIndex(settings.gestureAction(kDirectionRows[row].direction)));
    }
    m_thresholdSlider->setValue(settings.gestureThresholdPoints);
    m_thresholdValue->setText(thresholdText(settings.gestureThresholdPoints));
}

void GestureChordsAndDevicesView::syncDevices()
{
    discardWidgets(m_deviceRows);
    const auto& devices = m_viewModel.connectedDevices();
    for (const auto& device : devices) {
        auto* row = new RoundedPlate(10, TarnGlassTokens::surface2());
        row->setObjectName(QString::fromStdString("device:" + device.id));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(10, 10, 10, 10);
        auto* symbol = new SymbolLabel(
            std::string(symbolName(device.category)), TarnTextStyles::font(TarnTextStyle::body), m_accent);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        auto* name = makeTextLabel(TarnTextStyle::body, QFont::DemiBold, TarnGlassTokens::textPrimary(), false);
        name->setObjectName("deviceName");
        name->setText(QString::fromStdString(device.brandName + " — " + device.productName));
        auto* detail = makeTextLabel(TarnTextStyle::subheadline, QFont::Normal, TarnGlassTokens::textSecondary(), false,
            TarnFontDesign::monospaced);
        detail->setObjectName("deviceDetail");
        detail->setText(deviceDetailText(device));
        texts->addWidget(name);
        texts->addWidget(detail);
        layout->addWidget(symbol);
        layout->addLayout(texts);
        layout->addStretch(1);
        m_deviceRows->addWidget(row);
    }
    m_emptyDevices->setVisible(devices.empty());
}

QString GestureChordsAndDevicesView::thresholdText(double points)
{
    return truncatedText(points) + " px";
}

QString GestureChordsAndDevicesView::deviceDetailText(const ConnectedPointerDevice& device)
{
    std::string detail = device.connectionBadge() + " · " + device.vendorProductHex();
    if (device.batteryPercent) {
        detail += fmt::format(" · 🔋 {}%", *device.batteryPercent);
    }
    return QString::fromStdString(detail);
}

} // namespace tarn::input
