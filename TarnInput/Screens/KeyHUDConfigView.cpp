#include "TarnInput/Screens/KeyHUDConfigView.h"

#include <algorithm>

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SegmentedPicker.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

namespace {

constexpr double kDefaultFontSize = 13;
constexpr int kPlacementWidth = 380;

int placementIndex(KeyHUDPosition position)
{
    return static_cast<int>(
        std::find(kAllKeyHUDPositions.begin(), kAllKeyHUDPositions.end(), position) - kAllKeyHUDPositions.begin());
}

} // namespace

KeyHUDConfigView::KeyHUDConfigView(KeyHUDViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
{
    setObjectName("keyHUDScreen");
    addSection(buildOverlayCard());
    addSection(buildActivityCard());

    connect(&m_viewModel, &KeyHUDViewModel::languageChanged, this, &KeyHUDConfigView::syncTexts);
    connect(&m_viewModel, &KeyHUDViewModel::settingsChanged, this, &KeyHUDConfigView::syncSettings);
    connect(&m_viewModel, &KeyHUDViewModel::recentEventsChanged, this, &KeyHUDConfigView::syncEvents);
    syncTexts();
    syncSettings();
    syncEvents();
}

QAbstractButton* KeyHUDConfigView::settingToggle(const char* name, void (KeyHUDViewModel::*set)(bool))
{
    auto* box = makeSwitch(name);
    connect(box, &QAbstractButton::clicked, this, [this, set](bool checked) { (m_viewModel.*set)(checked); });
    return box;
}

QWidget* KeyHUDConfigView::buildOverlayCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);

    m_title = makeCardHeader("keyboard.badge.eye", 15, TarnGlassTokens::textPrimary());
    m_preview = new TarnPrimaryButton;
    m_preview->setObjectName("previewKeyHUD");
    // The preview shows the pill and a ripple whatever the switches say and whether or not the
    // engine runs, so the user can see the look before turning anything on.
    connect(m_preview, &QAbstractButton::clicked, this, [this] { m_viewModel.preview(); });
    m_title->addTrailing(m_preview);
    column->addWidget(m_title);

    m_description = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    m_description->setObjectName("keyHUDDescription");
    column->addWidget(m_description);

    m_enableHUD = settingToggle("keyHUDEnabled", &KeyHUDViewModel::setKeyHUDEnabled);
    m_enableRipple = settingToggle("clickRippleEnabled", &KeyHUDViewModel::setClickRippleEnabled);
    m_shortcutsOnly = settingToggle("keyHUDShortcutsOnly", &KeyHUDViewModel::setShortcutsOnly);
    m_hideInSecureFields = settingToggle("keyHUDHideInSecureFields", &KeyHUDViewModel::setHideInSecureFields);
    for (QWidget* toggle : {m_enableHUD, m_enableRipple, m_shortcutsOnly, m_hideInSecureFields}) {
        column->addWidget(toggle);
    }

    auto* placementRow = makeRow();
    m_placementCaption = makeTextLabel(kDefaultFontSize, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_placement = new SegmentedPicker;
    m_placement->setObjectName("keyHUDPosition");
    // At least as wide as the row asks for, wider when the glass segments need it for their labels.
    m_placement->setMinimumWidth(kPlacementWidth);
    connect(m_placement, &SegmentedPicker::activated, this,
        [this](int index) { m_viewModel.setPosition(kAllKeyHUDPositions.at(static_cast<std::size_t>(index))); });
    placementRow->addWidget(m_placementCaption);
    placementRow->addStretch(1);
    placementRow->addWidget(m_placement);
    column->addLayout(placementRow);

    auto* durationRow = makeRow();
    m_durationCaption = makeTextLabel(kDefaultFontSize, QFont::Normal, TarnGlassTokens::textSecondary(), false);
    m_durationSlider = new ContinuousSlider(kShortestDuration, kLongestDuration, kDurationStep);
    m_durationSlider->setObjectName("keyHUDDurationSlider");
    m_durationSlider->setAccent(m_accent);
    // Every step of a drag is saved and handed to the engine as it happens.
    connect(m_durationSlider, &ContinuousSlider::valueMoved, this,
        [this](double seconds) { m_viewModel.setDurationSeconds(seconds); });
    m_durationValue = makeTextLabel(
        TarnTextStyle::callout, QFont::Bold, TarnGlassTokens::textPrimary(), false, TarnFontDesign::monospaced);
    m_durationValue->setObjectName("keyHUDDurationValue");
    m_durationValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for "4.0s", so the slider keeps its length while it is dragged.
    m_durationValue->setMinimumWidth(40);
    durationRow->addWidget(m_durationCaption);
    durationRow->addWidget(m_durationSlider, 1);
    durationRow->addWidget(m_durationValue);
    column->addLayout(durationRow);
    return card;
}

QWidget* KeyHUDConfigView::buildActivityCard()
{
    m_activityCard = new TarnGlassCard(16, 14);
    m_activityCard->setObjectName("recentActivity");
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    m_activityTitle = makeTextLabel(TarnTextStyle::body, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    column->addWidget(m_activityTitle);
    for (std::size_t index = 0; index < kShownEvents; ++index) {
        auto* line
            = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textSecondary(), false, TarnFontDesign::monospaced);
        line->setObjectName(QStringLiteral("recentEvent%1").arg(index));
        // A long engine line is cut at the card's edge rather than widening the screen.
        line->setMinimumWidth(1);
        m_eventLines[index] = line;
        column->addWidget(line);
    }
    m_activityCard->setContent(content);
    return m_activityCard;
}

void KeyHUDConfigView::syncTexts()
{
    m_title->setTitle(tarnQText(
        "Presentation Keystroke Overlay (KeyHUD)", "Sunum Kısayol Göstergesi (KeyHUD)", m_viewModel.language()));
    m_preview->setText(plainButtonText(tarnQText("Preview Pill", "Önizle", m_viewModel.language())));
    m_description->setText(tarnQText(
        "Display crisp Stillwater Glass shortcut badges while recording TarnCapture tutorials "
        "or sharing your screen. Zero keystrokes are ever saved to disk.",
        "TarnCapture ekran kaydı veya canlı sunum sırasında basılan kısayolları şık cam baloncuklarla gösterin. Hiçbir "
        "tuş basımı asla diske kaydedilmez.",
        m_viewModel.language()));
    // The global hotkey is Alt+Super+H on a PC keyboard; the label names the keys the user has.
    // Switches draw their label as it is (no mnemonic), so "&" needs no escaping.
    m_enableHUD->setText(tarnQText("Enable KeyHUD (Shortcut: Alt+Super+H)",
        "KeyHUD’u Etkinleştir (Kısayol: Alt+Super+H)", m_viewModel.language()));
    m_enableRipple->setText(tarnQText("Enable Live Click Ripple Halo (Cyan Left / Coral Right)",
        "Canlı Tıklama Halkasını Aç (Sol Mavi / Sağ Pembe)", m_viewModel.language()));
    m_shortcutsOnly->setText(tarnQText("Show Shortcuts & Navigation Keys Only",
        "Yalnızca Kısayolları ve Özel Tuşları Göster", m_viewModel.language()));
    m_hideInSecureFields->setText(tarnQText("Auto-Hide Inside Password / Secure Input Fields",
        "Şifre ve Güvenli Giriş Alanlarında Otomatik Gizle", m_viewModel.language()));
    m_placementCaption->setText(tarnQText("Screen Placement", "Ekran Konumu", m_viewModel.language()));
    QStringList segments;
    for (const auto position : kAllKeyHUDPositions) {
        segments << plainButtonText(tarnQText(labelEN(position), labelTR(position), m_viewModel.language()));
    }
    m_placement->setSegments(segments);
    m_durationCaption->setText(tarnQText("Fade Duration", "Ekranda Kalma Süresi", m_viewModel.language()));
    m_activityTitle->setText(
        tarnQText("Recent Remapped Button Activity", "Son Fare Tuşu Tetiklemeleri", m_viewModel.language()));
}

void KeyHUDConfigView::syncSettings()
{
    const auto& settings = m_viewModel.settings();
    const std::pair<QAbstractButton*, bool> toggles[] {{m_enableHUD, settings.keyHUDEnabled},
        {m_enableRipple, settings.clickRippleEnabled}, {m_shortcutsOnly, settings.keyHUDShortcutsOnly},
        {m_hideInSecureFields, settings.keyHUDHideInSecureFields}};
    for (const auto& [toggle, checked] : toggles) {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(checked);
    }
    m_placement->setCurrentIndex(placementIndex(settings.keyHUDPosition));
    m_durationSlider->setValue(settings.keyHUDDurationSeconds);
    m_durationValue->setText(durationText(settings.keyHUDDurationSeconds));
}

void KeyHUDConfigView::syncEvents()
{
    const auto& events = m_viewModel.recentEvents();
    for (std::size_t index = 0; index < kShownEvents; ++index) {
        const bool shown = index < events.size();
        m_eventLines[index]->setText(shown ? QString::fromStdString(events[index]) : QString());
        m_eventLines[index]->setVisible(shown);
    }
    // Until the engine has reported something there is nothing to show, not even the title.
    m_activityCard->setVisible(!events.empty());
}

QString KeyHUDConfigView::durationText(double seconds)
{
    return QString::fromStdString(fmt::format("{:.1f}s", seconds));
}

} // namespace tarn::input
