#include "TarnInput/App/Studio/MainInputStudioView.h"

#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include "TarnInput/App/Studio/ElidedLabel.h"
#include "TarnInput/App/Studio/EnginePillButton.h"
#include "TarnInput/App/Studio/StudioTabButton.h"
#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/UI/Brand/TarnBrandMark.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"
#include "TarnKit/UI/Glass/TarnToastBanner.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"

namespace tarn::input {

namespace {

constexpr auto kToastAnimation = std::chrono::milliseconds(200);

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(opacity);
    return color;
}

} // namespace

MainInputStudioView::MainInputStudioView(
    InputStudioViewModel& viewModel, QColor accent, const StudioKit& kit, QWidget* parent)
    : TarnUnifiedTitlebarWindow(
        TarnUnifiedTitlebarMode::unifiedHeader, viewModel.language(), 16, 14, kit.doubleClickPreference, parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
    , m_kit(kit)
{
    setObjectName("studioView");
    m_ground = new TarnGroundBackground(TarnProductPalette::deepAbyss, this);
    m_ground->lower();

    m_header = buildHeader();
    m_body = new QWidget;
    m_body->setObjectName("studioBody");
    m_bodyColumn = new QVBoxLayout(m_body);
    m_bodyColumn->setContentsMargins(0, 0, 0, 0);
    m_bodyColumn->setSpacing(0);
    auto* divider = new RoundedPlate(0, TarnGlassTokens::borderSubtle());
    divider->setObjectName("headerDivider");
    divider->setFixedHeight(1);
    m_bodyColumn->addWidget(divider);
    m_banner = buildPermissionBanner();
    m_bodyColumn->addWidget(m_banner);

    setHeaderContent(m_header, 52, 18, 8);
    setContent(m_body);

    m_toast = new TarnToastBanner(QString(), false, this);
    m_toast->setObjectName("toast");
    m_toastOpacity = new QGraphicsOpacityEffect(m_toast);
    m_toast->setGraphicsEffect(m_toastOpacity);
    m_toast->hide();
    m_toastAnimation = new QVariantAnimation(this);
    m_toastAnimation->setDuration(static_cast<int>(kToastAnimation.count()));
    m_toastAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_toastAnimation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant& value) { placeToast(value.toDouble()); });
    connect(m_toastAnimation, &QVariantAnimation::finished, this, [this] {
        if (!m_viewModel.toastMessage()) {
            m_toast->hide();
        }
    });

    connect(&m_viewModel, &InputStudioViewModel::selectedTabChanged, this, &MainInputStudioView::showSelectedScreen);
    connect(&m_viewModel, &InputStudioViewModel::languageChanged, this, &MainInputStudioView::syncTexts);
    connect(&m_viewModel, &InputStudioViewModel::settingsChanged, this, &MainInputStudioView::syncEngine);
    connect(&m_viewModel, &InputStudioViewModel::isTapActiveChanged, this, &MainInputStudioView::syncEngine);
    connect(&m_viewModel, &InputStudioViewModel::isAccessibilityGrantedChanged, this, &MainInputStudioView::syncBanner);
    connect(&m_viewModel, &InputStudioViewModel::activeProfileNameChanged, this, &MainInputStudioView::syncSubtitle);
    connect(&m_viewModel, &InputStudioViewModel::connectedDevicesChanged, this, &MainInputStudioView::syncSubtitle);
    // A new toast publishes its message and then its error flag; a cleared one only the message.
    connect(&m_viewModel, &InputStudioViewModel::toastMessageChanged, this, &MainInputStudioView::syncToast);
    connect(&m_viewModel, &InputStudioViewModel::toastIsErrorChanged, this, &MainInputStudioView::syncToast);

    syncTexts();
    syncEngine();
    syncBanner();
    showSelectedScreen();
    syncToast();
}

QWidget* MainInputStudioView::buildHeader()
{
    auto* header = new QWidget;
    header->setObjectName("studioHeader");
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(buildBrandBlock(), 0, Qt::AlignVCenter);
    row->addStretch(1);

    auto* strip = new QHBoxLayout;
    strip->setSpacing(4);
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        const auto& info = kStudioTabs[index];
        auto* button = new StudioTabButton(std::string(info.symbol), m_accent);
        button->setObjectName(qText(info.name) + "Tab");
        connect(button, &QAbstractButton::clicked, this, [this, tab = info.tab] { m_viewModel.setSelectedTab(tab); });
        m_tabButtons[index] = button;
        strip->addWidget(button);
    }
    row->addLayout(strip);
    row->addStretch(1);

    m_enginePill = new EnginePillButton;
    m_enginePill->setObjectName("enginePill");
    connect(m_enginePill, &QAbstractButton::clicked, this, [this] { m_viewModel.toggleEngine(); });
    row->addWidget(m_enginePill, 0, Qt::AlignVCenter);
    return header;
}

QWidget* MainInputStudioView::buildBrandBlock()
{
    auto* brand = new QWidget;
    brand->setObjectName("brandBlock");
    brand->setMaximumWidth(kBrandMaxWidth);
    auto* row = new QHBoxLayout(brand);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(9);
    row->addWidget(new TarnBrandMark(24, TarnBrandMarkStyle::currentApp()), 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    m_titleRow = new QHBoxLayout;
    m_titleRow->setSpacing(7);
    auto* title = makeTextLabel(16, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    title->setObjectName("studioTitle");
    title->setText("TarnInput");
    m_titleRow->addWidget(title);
    m_titleRow->addStretch(1);
    column->addLayout(m_titleRow);

    m_subtitle = new ElidedLabel;
    m_subtitle->setFont(TarnTextStyles::systemFont(10.5));
    m_subtitle->setObjectName("headerSubtitle");
    column->addWidget(m_subtitle);
    row->addLayout(column, 1);
    return brand;
}

void MainInputStudioView::replaceVersionBadge()
{
    delete m_versionBadge;
    TarnVersionAndLogsView::Services services;
    services.feedback = &m_kit.feedback;
    m_versionBadge
        = new TarnVersionBadgeButton("TarnInput", TarnAppVersion::current(BuildInfo::current(), "1.0.0", "100"),
            &m_kit.logger, TarnProductPalette::deepAbyss, m_viewModel.language(), false, true, services);
    m_versionBadge->setObjectName("versionBadge");
    m_titleRow->insertWidget(1, m_versionBadge, 0, Qt::AlignVCenter);
}

QWidget* MainInputStudioView::buildPermissionBanner()
{
    auto* banner = new RoundedPlate(0, withOpacity(TarnGlassTokens::warning(), 0.16));
    banner->setObjectName("permissionBanner");
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(20, 10, 20, 10);
    row->setSpacing(12);
    auto* lock = new SymbolLabel("lock.shield.fill", TarnTextStyles::systemFont(14), TarnGlassTokens::warning());
    row->addWidget(lock, 0, Qt::AlignVCenter);
    m_bannerText = makeTextLabel(12.5, QFont::Normal, TarnGlassTokens::textPrimary(), true);
    m_bannerText->setObjectName("permissionBannerText");
    row->addWidget(m_bannerText, 1);
    m_grantButton = new TarnPrimaryButton;
    m_grantButton->setObjectName("grantPermissionButton");
    connect(m_grantButton, &QAbstractButton::clicked, this, &MainInputStudioView::onGrantPermissionClicked);
    row->addWidget(m_grantButton, 0, Qt::AlignVCenter);
    return banner;
}

void MainInputStudioView::onGrantPermissionClicked()
{
    // Linux has no prompt that grants the permission: the program shows the commands itself (a
    // help page would need a browser). The banner goes when the watcher sees the permission.
    if (!m_viewModel.requestInputPermission()) {
        PermissionStepsDialog::present(*this, m_viewModel.language());
    }
}

void MainInputStudioView::showSelectedScreen()
{
    const InputStudioTab selected = m_viewModel.selectedTab();
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        const bool chosen = kStudioTabs[index].tab == selected;
        m_tabButtons[index]->setSelected(chosen);
        if (chosen && m_screens[index] == nullptr) {
            m_screens[index] = createStudioScreen(selected, m_viewModel, m_accent, m_body);
            m_bodyColumn->addWidget(m_screens[index], 1);
        }
        if (m_screens[index] != nullptr) {
            m_screens[index]->setVisible(chosen);
        }
    }
}

QWidget* MainInputStudioView::currentScreen() const
{
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        if (kStudioTabs[index].tab == m_viewModel.selectedTab()) {
            return m_screens[index];
        }
    }
    return nullptr;
}

void MainInputStudioView::syncTexts()
{
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        m_tabButtons[index]->setText(tarnQText(kStudioTabs[index].en, kStudioTabs[index].tr, m_viewModel.language()));
        m_tabButtons[index]->updateGeometry();
    }
    m_bannerText->setText(
        tarnQText("Input device permission is required for Smooth Scroll, Live Polling Hz, Double-Click "
                  "Fixer, Easy Window Drag (Ctrl+Alt), Gestures & Side Buttons.",
            "Akıcı Kaydırma, Canlı Hz Ölçümü, Çift Tık Engelleyici, Pencere Taşıma (Ctrl+Alt), Fare Hareketleri ve Yan "
            "Tuşlar "
            "için giriş aygıtı izni gerekir.",
            m_viewModel.language()));
    m_grantButton->setText(tarnQText("Grant Permission", "İzin Ver", m_viewModel.language()));
    replaceVersionBadge();
    syncSubtitle();
    syncEngine();
}

QString MainInputStudioView::subtitleText() const
{
    if (const auto& profile = m_viewModel.activeProfileName()) {
        return tarnQText("Active Profile: ", "Aktif Profil: ", m_viewModel.language())
            + QString::fromStdString(*profile);
    }
    if (const auto device = m_viewModel.primaryExternalMouse()) {
        return QString::fromStdString(device->brandName + " · " + device->productName);
    }
    return tarnQText(
        "Hardware · Scroll · Profiles & Macros", "Donanım · Kaydırma · Profiller & Makro", m_viewModel.language());
}

void MainInputStudioView::syncSubtitle()
{
    m_subtitle->setFullText(subtitleText());
    QPalette palette = m_subtitle->palette();
    palette.setColor(
        QPalette::WindowText, m_viewModel.activeProfileName() ? m_accent : TarnGlassTokens::textSecondary());
    m_subtitle->setPalette(palette);
}

void MainInputStudioView::syncEngine()
{
    const bool enabled = m_viewModel.settings().engineEnabled;
    m_enginePill->setEngineEnabled(enabled);
    m_enginePill->setTapActive(m_viewModel.isTapActive());
    m_enginePill->setText(enabled ? tarnQText("Active", "Aktif", m_viewModel.language())
                                  : tarnQText("Paused", "Duraklatıldı", m_viewModel.language()));
    m_enginePill->updateGeometry();
}

void MainInputStudioView::syncBanner()
{
    m_banner->setVisible(!m_viewModel.isAccessibilityGranted());
}

void MainInputStudioView::syncToast()
{
    const auto& message = m_viewModel.toastMessage();
    const bool leaving
        = m_toastAnimation->state() == QAbstractAnimation::Running && m_toastAnimation->endValue().toDouble() == 0.0;
    if (message) {
        m_toast->setMessage(QString::fromStdString(*message));
        m_toast->setError(m_viewModel.toastIsError());
        if (!m_toast->isHidden() && !leaving) {
            // A newer toast replaces the one on show in place.
            placeToast(m_toastAnimation->state() == QAbstractAnimation::Running
                    ? m_toastAnimation->currentValue().toDouble()
                    : 1.0);
            return;
        }
        animateToast(true);
    } else if (!m_toast->isHidden() && !leaving) {
        animateToast(false);
    }
}

void MainInputStudioView::animateToast(bool entering)
{
    m_toastAnimation->stop();
    if (!isVisible()) {
        // Nothing to watch: the toast takes its place (or goes) at once.
        m_toast->setVisible(entering);
        placeToast(1.0);
        return;
    }
    m_toast->show();
    m_toast->raise();
    m_toastAnimation->setStartValue(entering ? 0.0 : 1.0);
    m_toastAnimation->setEndValue(entering ? 1.0 : 0.0);
    placeToast(entering ? 0.0 : 1.0);
    m_toastAnimation->start();
}

void MainInputStudioView::placeToast(double progress)
{
    const int available = std::max(0, width() - 2 * kToastBottomPadding);
    const int toastWidth = std::min(m_toast->sizeHint().width(), available);
    const int toastHeight = m_toast->heightForWidth(toastWidth);
    const int restingTop = height() - kToastBottomPadding - toastHeight;
    // Enters from the bottom edge while fading in; leaves the same way.
    const int top = restingTop + static_cast<int>((1.0 - progress) * (toastHeight + kToastBottomPadding));
    m_toast->setGeometry((width() - toastWidth) / 2, top, toastWidth, toastHeight);
    m_toastOpacity->setOpacity(progress);
}

void MainInputStudioView::resizeEvent(QResizeEvent* event)
{
    TarnUnifiedTitlebarWindow::resizeEvent(event);
    m_ground->setGeometry(rect());
    if (!m_toast->isHidden()) {
        placeToast(m_toastAnimation->state() == QAbstractAnimation::Running
                ? m_toastAnimation->currentValue().toDouble()
                : 1.0);
    }
}

} // namespace tarn::input
