#include "TarnInput/Screens/InputSettingsView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Pickers/TarnLanguagePicker.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kDefaultFontSize = 13;

} // namespace

InputSettingsView::InputSettingsView(SettingsViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
{
    setObjectName("settingsScreen");
    column()->setSpacing(16);
    QPalette accented = palette();
    accented.setColor(QPalette::Highlight, accent);
    setPalette(accented);
    addSection(buildCard());

    connect(&m_viewModel, &SettingsViewModel::languageChanged, this, [this] {
        m_languagePicker->setLanguage(m_viewModel.language());
        syncTexts();
    });
    connect(&m_viewModel, &SettingsViewModel::isAccessibilityGrantedChanged, this, &InputSettingsView::syncPermission);
    connect(&m_viewModel, &SettingsViewModel::launchAtLoginChanged, this, &InputSettingsView::syncLaunchAtLogin);
    syncTexts();
    syncLaunchAtLogin();
}

QWidget* InputSettingsView::buildCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);

    m_title = makeTextLabel(TarnTextStyle::title3, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    column->addWidget(m_title);

    auto* permissionRow = makeRow();
    m_permission = new SymbolLabel({}, TarnTextStyles::systemFont(kDefaultFontSize), TarnGlassTokens::warning());
    m_permission->setObjectName("inputPermission");
    m_permissionHelp = new TarnGlassButton;
    m_permissionHelp->setObjectName("openPermissionHelp");
    connect(m_permissionHelp, &QAbstractButton::clicked, this, &InputSettingsView::openPermissionHelp);
    permissionRow->addWidget(m_permission);
    permissionRow->addStretch(1);
    permissionRow->addWidget(m_permissionHelp);
    column->addLayout(permissionRow);

    m_launchAtLogin = makeCheckBox("launchAtLogin");
    // Not an input setting: the view model changes the autostart entry and publishes what the
    // desktop then reports, so a refused change puts the box back.
    connect(m_launchAtLogin, &QAbstractButton::clicked, this,
        [this](bool enabled) { m_viewModel.setLaunchAtLogin(enabled); });
    column->addWidget(m_launchAtLogin);

    auto* languageRow = makeRow();
    m_languageCaption = makeTextLabel(kDefaultFontSize, QFont::Normal, TarnGlassTokens::textPrimary(), false);
    m_languagePicker
        = new TarnLanguagePicker(std::nullopt, m_viewModel.language(), false, nullptr, &m_viewModel.languageSettings());
    m_languagePicker->setObjectName("interfaceLanguage");
    connect(m_languagePicker, &TarnLanguagePicker::languageSelected, this, &InputSettingsView::chooseLanguage);
    languageRow->addWidget(m_languageCaption);
    languageRow->addStretch(1);
    languageRow->addWidget(m_languagePicker);
    column->addLayout(languageRow);

    auto* divider = new RoundedPlate(0, TarnGlassTokens::borderSubtle());
    divider->setFixedHeight(1);
    column->addWidget(divider);

    m_restoreDefaults = new TarnGlassButton;
    m_restoreDefaults->setObjectName("restoreDefaults");
    // No confirmation: the view model restores, saves and applies at once and says so in a toast.
    connect(m_restoreDefaults, &QAbstractButton::clicked, this, [this] { m_viewModel.resetToDefaults(); });
    column->addWidget(m_restoreDefaults, 0, Qt::AlignLeft);
    return card;
}

void InputSettingsView::openPermissionHelp()
{
    // Linux has no dialog that grants device access; the program shows the commands itself, as a
    // help page would need a browser. The label follows when the view model's watcher sees the
    // change.
    PermissionStepsDialog::present(*this, m_viewModel.language());
}

void InputSettingsView::chooseLanguage(TarnLanguage language)
{
    m_viewModel.chooseLanguage(language);
}

void InputSettingsView::syncTexts()
{
    m_title->setText(tarnQText("System & Language", "Sistem ve Dil", m_viewModel.language()));
    syncPermission();
    m_permissionHelp->setText(
        plainButtonText(tarnQText("Open Permission Help", "İzin Yardımını Aç", m_viewModel.language())));
    m_launchAtLogin->setText(
        plainButtonText(tarnQText("Launch at Login", "Oturum Açılışında Başlat", m_viewModel.language())));
    m_languageCaption->setText(tarnQText("Interface Language", "Arayüz Dili", m_viewModel.language()));
    m_restoreDefaults->setText(
        plainButtonText(tarnQText("Restore Default Settings", "Varsayılan Ayarlara Dön", m_viewModel.language())));
}

void InputSettingsView::syncPermission()
{
    if (m_viewModel.isAccessibilityGranted()) {
        m_permission->setText(
            tarnQText("Input Device Permission: Granted", "Giriş Aygıtı İzni: Verildi", m_viewModel.language()));
        m_permission->setSymbol("checkmark.shield.fill");
        m_permission->setColor(TarnGlassTokens::success());
    } else {
        m_permission->setText(
            tarnQText("Input Device Permission: Required", "Giriş Aygıtı İzni: Gerekli", m_viewModel.language()));
        m_permission->setSymbol("exclamationmark.shield.fill");
        m_permission->setColor(TarnGlassTokens::warning());
    }
}

void InputSettingsView::syncLaunchAtLogin()
{
    const QSignalBlocker blocker(m_launchAtLogin);
    m_launchAtLogin->setChecked(m_viewModel.launchAtLogin());
}

} // namespace tarn::input
