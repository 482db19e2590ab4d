#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnInput/App/Studio/StatusDot.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

// The popover is dark glass, so the label colour is white.
QColor primaryLabel(double opacity)
{
    QColor color(Qt::white);
    color.setAlphaF(opacity);
    return color;
}

QWidget* divider()
{
    auto* line = new RoundedPlate(0, TarnGlassTokens::borderSubtle());
    line->setFixedHeight(1);
    return line;
}

} // namespace

const std::array<MenuBarInputPopoverView::Switch, 6> MenuBarInputPopoverView::kSwitches {{
    {"Reverse External Mouse", "Harici Fare Ters Kaydırma", QuickSwitch::reverseMouseWheel, "reverseMouseWheel"},
    {"120Hz Smooth Scroll", "120Hz Akıcı Kaydırma", QuickSwitch::smoothScroll, "smoothScrollEnabled"},
    {"Double-Click Switch Fixer", "Çift Tık (Bounce) Engelleyici", QuickSwitch::doubleClickGuard,
        "doubleClickGuardEnabled"},
    {"Easy Window Drag (Ctrl+Alt+Drag)", "Kolay Pencere Taşı (Ctrl+Alt+Sürükle)", QuickSwitch::easyWindowDrag,
        "easyWindowDragEnabled"},
    {"Side/Middle Button Remap", "Yan/Orta Tuş Ataması", QuickSwitch::buttonRemap, "buttonRemapEnabled"},
    {"Presentation KeyHUD (Alt+Super+H)", "Sunum Kısayol HUD (Alt+Super+H)", QuickSwitch::keyHUD, "keyHUDEnabled"},
}};

MenuBarInputPopoverView::MenuBarInputPopoverView(
    TrayViewModel& viewModel, std::function<void()> onOpenStudio, std::function<void()> onQuit, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_onOpenStudio(std::move(onOpenStudio))
    , m_onQuit(std::move(onQuit))
    , m_accent(accentColor(TarnProductPalette::deepAbyss))
{
    setObjectName("menuBarPopover");
    setFixedWidth(kWidth);
    m_ground = new TarnGroundBackground(TarnProductPalette::deepAbyss, this);
    m_ground->lower();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(kSpacing);
    column->addWidget(buildHeader());
    m_deviceRow = buildDeviceRow();
    column->addWidget(m_deviceRow);
    column->addWidget(buildProfileRow());
    column->addWidget(divider());
    for (std::size_t index = 0; index < kSwitches.size(); ++index) {
        auto* box = makeSwitch(kSwitches[index].name);
        box->setControlSize(SwitchToggle::Size::small);
        connect(box, &QAbstractButton::clicked, this,
            [this, which = kSwitches[index].which](bool checked) { m_viewModel.setOn(which, checked); });
        m_switchBoxes[index] = box;
        column->addWidget(box);
    }
    column->addWidget(divider());
    column->addWidget(buildButtons());

    connect(&m_viewModel, &TrayViewModel::languageChanged, this, &MenuBarInputPopoverView::syncTexts);
    connect(&m_viewModel, &TrayViewModel::settingsChanged, this, &MenuBarInputPopoverView::syncSwitches);
    connect(&m_viewModel, &TrayViewModel::connectedDevicesChanged, this, &MenuBarInputPopoverView::syncDevice);
    connect(&m_viewModel, &TrayViewModel::isTapActiveChanged, this, &MenuBarInputPopoverView::syncTap);
    connect(&m_viewModel, &TrayViewModel::activeFrontmostAppNameChanged, this, &MenuBarInputPopoverView::syncProfile);
    connect(&m_viewModel, &TrayViewModel::activeProfileNameChanged, this, &MenuBarInputPopoverView::syncProfile);
    syncTexts();
    syncSwitches();
    syncDevice();
    syncTap();
}

QWidget* MenuBarInputPopoverView::buildHeader()
{
    auto* header = new QWidget;
    auto* row = makeRow();
    header->setLayout(row);
    row->addWidget(new TarnBrandMark(18, TarnBrandMarkStyle::currentApp()), 0, Qt::AlignVCenter);
    auto* title = makeTextLabel(13.5, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    title->setObjectName("popoverTitle");
    title->setText("TarnInput");
    row->addWidget(title);
    row->addStretch(1);
    m_statusDot = new StatusDot;
    m_statusDot->setObjectName("statusDot");
    row->addWidget(m_statusDot, 0, Qt::AlignVCenter);
    return header;
}

QWidget* MenuBarInputPopoverView::buildDeviceRow()
{
    auto* plate = new RoundedPlate(8, primaryLabel(0.06));
    plate->setObjectName("deviceRow");
    auto* row = makeRow(8);
    row->setContentsMargins(8, 8, 8, 8);
    plate->setLayout(row);
    m_deviceSymbol = new SymbolLabel("computermouse.fill", TarnTextStyles::systemFont(14), m_accent);
    m_deviceSymbol->setObjectName("deviceSymbol");
    row->addWidget(m_deviceSymbol, 0, Qt::AlignVCenter);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(1);
    m_deviceName = makeTextLabel(11.5, QFont::DemiBold, TarnGlassTokens::textPrimary(), false);
    m_deviceName->setObjectName("deviceName");
    m_deviceDetail = makeTextLabel(
        TarnTextStyle::caption, QFont::Normal, TarnGlassTokens::textSecondary(), false, TarnFontDesign::monospaced);
    m_deviceDetail->setObjectName("deviceDetail");
    lines->addWidget(m_deviceName);
    lines->addWidget(m_deviceDetail);
    row->addLayout(lines, 1);
    m_battery = makeTextLabel(10.5, QFont::Bold, TarnGlassTokens::textPrimary(), false, TarnFontDesign::monospaced);
    m_battery->setObjectName("deviceBattery");
    row->addWidget(m_battery, 0, Qt::AlignVCenter);
    return plate;
}

QWidget* MenuBarInputPopoverView::buildProfileRow()
{
    auto* plate = new RoundedPlate(7, primaryLabel(0.05));
    plate->setObjectName("profileRow");
    auto* row = makeRow(6);
    row->setContentsMargins(8, 5, 8, 5);
    plate->setLayout(row);
    m_profileSymbol = new SymbolLabel("globe", TarnTextStyles::systemFont(10.5, QFont::DemiBold), m_accent);
    m_profileSymbol->setObjectName("profileSymbol");
    row->addWidget(m_profileSymbol, 0, Qt::AlignVCenter);
    m_appName = makeTextLabel(TarnTextStyle::subheadline, QFont::DemiBold, TarnGlassTokens::textPrimary(), false);
    m_appName->setObjectName("frontmostAppName");
    row->addWidget(m_appName, 1);
    m_profileName = makeTextLabel(
        TarnTextStyle::caption, QFont::Bold, TarnGlassTokens::textSecondary(), false, TarnFontDesign::monospaced);
    m_profileName->setObjectName("profileName");
    row->addWidget(m_profileName);
    return plate;
}

QWidget* MenuBarInputPopoverView::buildButtons()
{
    auto* buttons = new QWidget;
    auto* row = makeRow();
    buttons->setLayout(row);
    m_openStudio = new TarnPrimaryButton;
    m_openStudio->setObjectName("openStudioButton");
    connect(m_openStudio, &QAbstractButton::clicked, this, [this] { m_onOpenStudio(); });
    m_quit = new TarnGlassButton;
    m_quit->setObjectName("quitButton");
    connect(m_quit, &QAbstractButton::clicked, this, [this] { m_onQuit(); });
    row->addWidget(m_openStudio);
    row->addStretch(1);
    row->addWidget(m_quit);
    return buttons;
}

void MenuBarInputPopoverView::syncTexts()
{
    for (std::size_t index = 0; index < kSwitches.size(); ++index) {
        m_switchBoxes[index]->setText(tarnQText(kSwitches[index].en, kSwitches[index].tr, m_viewModel.language()));
    }
    m_openStudio->setText(tarnQText("Open Studio", "Stüdyoyu Aç", m_viewModel.language()));
    m_quit->setText(tarnQText("Quit", "Çıkış", m_viewModel.language()));
    syncProfile();
}

void MenuBarInputPopoverView::syncSwitches()
{
    for (std::size_t index = 0; index < kSwitches.size(); ++index) {
        const QSignalBlocker blocker(m_switchBoxes[index]);
        m_switchBoxes[index]->setChecked(m_viewModel.isOn(kSwitches[index].which));
    }
}

void MenuBarInputPopoverView::syncDevice()
{
    const auto device = m_viewModel.primaryExternalMouse();
    m_deviceRow->setVisible(device.has_value());
    if (!device) {
        return;
    }
    m_deviceSymbol->setSymbol(std::string(symbolName(device->category)));
    m_deviceName->setText(
        TarnTextStyles::oneLine(QString::fromStdString(device->brandName + " · " + device->productName)));
    m_deviceDetail->setText(QString::fromStdString(device->connectionBadge() + " · " + device->vendorProductHex()));
    m_battery->setVisible(device->batteryPercent.has_value());
    if (device->batteryPercent) {
        m_battery->setText(QString::number(*device->batteryPercent) + "%");
    }
}

void MenuBarInputPopoverView::syncProfile()
{
    const auto& profile = m_viewModel.activeProfileName();
    m_profileSymbol->setSymbol(profile ? "sparkles" : "globe");
    m_appName->setText(TarnTextStyles::oneLine(QString::fromStdString(m_viewModel.activeFrontmostAppName())));
    m_profileName->setText(
        profile ? QString::fromStdString(*profile) : tarnQText("Global", "Global", m_viewModel.language()));
}

void MenuBarInputPopoverView::syncTap()
{
    m_statusDot->setOn(m_viewModel.isTapActive());
}

QSize MenuBarInputPopoverView::sizeHint() const
{
    return QSize(kWidth, layout()->totalHeightForWidth(kWidth));
}

QSize MenuBarInputPopoverView::minimumSizeHint() const
{
    return sizeHint();
}

void MenuBarInputPopoverView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_ground->setGeometry(rect());
}

} // namespace tarn::input
