#include "TarnInput/Screens/ScrollEngineView.h"

#include <algorithm>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <fmt/format.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/RunningAppsMenuButton.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"
#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"
#include "TarnKit/UI/Glass/TarnCardHeader.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn::input {

namespace {

constexpr double kSlowestSpeed = 0.5;
constexpr double kFastestSpeed = 3.5;
constexpr double kSpeedStep = 0.05;
constexpr double kShortestGlide = 0.1;
constexpr double kLongestGlide = 0.45;
// Whole percents, as the value text shows them.
constexpr double kGlideStep = 0.01;

} // namespace

ScrollEngineView::ScrollEngineView(ScrollViewModel& viewModel, QColor accent, QWidget* parent)
    : ScreenPage(parent)
    , m_viewModel(viewModel)
    , m_accent(accent)
{
    setObjectName("scrollScreen");
    auto* pair = new QWidget;
    auto* pairRow = makeRow(16);
    pair->setLayout(pairRow);
    pairRow->addWidget(buildDirectionCard(), 1, Qt::AlignTop);
    pairRow->addWidget(buildSmoothingCard(), 1, Qt::AlignTop);
    addSection(pair);
    addSection(buildExclusionsCard());
    addSection(buildSandboxCard());

    connect(&m_viewModel, &ScrollViewModel::languageChanged, this, &ScrollEngineView::syncTexts);
    connect(&m_viewModel, &ScrollViewModel::settingsChanged, this, &ScrollEngineView::syncSettings);
    syncTexts();
    syncSettings();
}

QCheckBox* ScrollEngineView::settingToggle(const char* name, void (ScrollViewModel::*set)(bool))
{
    auto* box = makeCheckBox(name);
    connect(box, &QAbstractButton::clicked, this, [this, set](bool checked) { (m_viewModel.*set)(checked); });
    return box;
}

QWidget* ScrollEngineView::buildDirectionCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    m_directionTitle = makeCardHeader("arrow.up.arrow.down.circle.fill", 14.5, TarnGlassTokens::textPrimary());
    m_directionExplanation
        = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textSecondary(), true);
    m_reverseWheel = settingToggle("reverseMouseWheel", &ScrollViewModel::setReverseMouseWheel);
    m_reverseTrackpad = settingToggle("reverseTrackpad", &ScrollViewModel::setReverseTrackpad);
    m_shiftHorizontal = settingToggle("shiftScrollHorizontal", &ScrollViewModel::setShiftScrollHorizontal);
    m_optionZoom = settingToggle("optionScrollZoom", &ScrollViewModel::setOptionScrollZoom);
    for (QWidget* widget : std::initializer_list<QWidget*> {m_directionTitle, m_directionExplanation, m_reverseWheel,
             m_reverseTrackpad, m_shiftHorizontal, m_optionZoom}) {
        column->addWidget(widget);
    }
    return card;
}

QWidget* ScrollEngineView::buildSmoothingCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(14, &column);
    m_smoothingTitle = makeCardHeader("waveform.path", 14.5, TarnGlassTokens::textPrimary());
    m_smoothScroll = settingToggle("smoothScroll", &ScrollViewModel::setSmoothScroll);
    column->addWidget(m_smoothingTitle);
    column->addWidget(m_smoothScroll);

    const auto sliderRow = [this, column](const char* name, double minimum, double maximum, double step,
                               void (ScrollViewModel::*set)(double), QLabel*& caption, ContinuousSlider*& slider,
                               QLabel*& value) {
        auto* row = makeRow();
        caption = makeTextLabel(12.5, QFont::Normal, TarnGlassTokens::textSecondary(), false);
        slider = new ContinuousSlider(minimum, maximum, step);
        slider->setObjectName(QString(name) + "Slider");
        slider->setAccent(m_accent);
        // Every step of a drag is saved and handed to the engine as it happens.
        connect(slider, &ContinuousSlider::valueMoved, this, [this, set](double moved) { (m_viewModel.*set)(moved); });
        value = makeTextLabel(
            TarnTextStyle::callout, QFont::Bold, TarnGlassTokens::textPrimary(), false, TarnFontDesign::monospaced);
        value->setObjectName(QString(name) + "Value");
        value->setFixedWidth(48);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row->addWidget(caption);
        row->addWidget(slider, 1);
        row->addWidget(value);
        column->addLayout(row);
    };
    sliderRow("speed", kSlowestSpeed, kFastestSpeed, kSpeedStep, &ScrollViewModel::setSpeedMultiplier, m_speedCaption,
        m_speedSlider, m_speedValue);
    sliderRow("glide", kShortestGlide, kLongestGlide, kGlideStep, &ScrollViewModel::setGlide, m_glideCaption,
        m_glideSlider, m_glideValue);
    return card;
}

QWidget* ScrollEngineView::buildExclusionsCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(10, &column);
    m_exclusionsTitle = makeCardHeader("app.badge.checkmark", 14, Qt::white);
    m_excludeMenu = new RunningAppsMenuButton({}, [this] { return m_viewModel.runningDesktopApps(); });
    m_excludeMenu->setObjectName("excludeRunningApp");
    m_excludeMenu->setFixedWidth(190);
    connect(m_excludeMenu, &RunningAppsMenuButton::applicationChosen, this,
        [this](const QString& bundleID) { m_viewModel.addExclusion(bundleID.toStdString()); });
    m_exclusionsTitle->addTrailing(m_excludeMenu);
    column->addWidget(m_exclusionsTitle);

    m_chipGrid = new QWidget;
    m_chipGrid->setObjectName("exclusionChips");
    m_chipLayout = new AdaptiveGridLayout(220, 8, 8, m_chipGrid);
    column->addWidget(m_chipGrid);
    return card;
}

QWidget* ScrollEngineView::buildSandboxCard()
{
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(10, &column);
    m_sandboxTitle = makeTextLabel(14, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    column->addWidget(m_sandboxTitle);

    auto* well = new RoundedPlate(12, QColor::fromRgbF(0, 0, 0, 0.22F));
    well->setFixedHeight(210);
    auto* wellLayout = new QVBoxLayout(well);
    wellLayout->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea;
    area->setObjectName("sandbox");
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->viewport()->setAutoFillBackground(false);
    auto* rows = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->setContentsMargins(8, 8, 8, 8);
    rowsLayout->setSpacing(8);
    for (int number = 1; number <= kSandboxRows; ++number) {
        auto* row = new RoundedPlate(8, TarnGlassTokens::surface1());
        row->setObjectName(QStringLiteral("sandboxRow%1").arg(number));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(10, 4, 10, 4);
        layout->setSpacing(12);
        auto* label = makeTextLabel(11.5, QFont::Bold, m_accent, false, TarnFontDesign::monospaced);
        label->setText(QString::fromStdString(fmt::format("#{:02d}", number)));
        auto* sentence = makeTextLabel(TarnTextStyle::callout, QFont::Normal, TarnGlassTokens::textSecondary(), false);
        m_sandboxTexts.push_back(sentence);
        layout->addWidget(label);
        layout->addWidget(sentence);
        // Wider than the view, so the sandbox scrolls sideways too.
        layout->addSpacing(260);
        layout->addStretch(1);
        rowsLayout->addWidget(row);
    }
    area->setWidget(rows);
    rows->setAutoFillBackground(false);
    wellLayout->addWidget(area);
    column->addWidget(well);
    return card;
}

void ScrollEngineView::syncTexts()
{
    m_directionTitle->setTitle(
        tarnQText("Device-Separated Scroll Direction", "Cihaz Bazlı Kaydırma Yönü", m_viewModel.language()));
    m_directionExplanation->setText(
        tarnQText("Keep Natural scrolling on your built-in trackpad while giving external mice "
                  "classic wheel direction — zero bloatware.",
            "Dahili trackpad’inizde Doğal kaydırmayı korurken harici farenize klasik tekerlek yönünü verin — sıfır "
            "bloatware.",
            m_viewModel.language()));
    m_reverseWheel->setText(plainButtonText(
        tarnQText("Reverse External Mouse Wheel", "Harici Fare Tekerleğini Ters Çevir", m_viewModel.language())));
    m_reverseTrackpad->setText(plainButtonText(
        tarnQText("Reverse Built-in Trackpad", "Dahili Trackpad Yönünü Ters Çevir", m_viewModel.language())));
    m_shiftHorizontal->setText(plainButtonText(tarnQText(
        "Hold Shift + Wheel for Horizontal Scroll", "Shift + Tekerlek ile Yatay Kaydır", m_viewModel.language())));
    m_optionZoom->setText(plainButtonText(tarnQText(
        "Hold Alt + Wheel to Zoom In/Out", "Alt + Tekerlek ile Yakınlaştır/Uzaklaştır", m_viewModel.language())));
    m_smoothingTitle->setTitle(tarnQText("120Hz Smooth Scroll", "120Hz Akıcı Kaydırma", m_viewModel.language()));
    m_smoothScroll->setText(plainButtonText(
        tarnQText("Enable Interpolated Smooth Scroll", "Akıcı İnterpolasyonlu Kaydırmayı Aç", m_viewModel.language())));
    m_speedCaption->setText(tarnQText("Scroll Speed", "Kaydırma Hızı", m_viewModel.language()));
    m_glideCaption->setText(tarnQText("Momentum Glide", "Yumuşaklık Eğrisi", m_viewModel.language()));
    // Both captions share one width, 110 or what the longer one needs, so the sliders line up.
    const int captionWidth = std::max({110, m_speedCaption->sizeHint().width(), m_glideCaption->sizeHint().width()});
    m_speedCaption->setFixedWidth(captionWidth);
    m_glideCaption->setFixedWidth(captionWidth);
    m_exclusionsTitle->setTitle(tarnQText("Smooth Scroll App Exclusions (Precision Apps / Games)",
        "Akıcı Kaydırma İstisna Uygulamaları (Tasarım / Oyun)", m_viewModel.language()));
    m_excludeMenu->setText(tarnQText("+ Exclude Running App", "+ Açık Uygulama Ekle", m_viewModel.language()));
    m_sandboxTitle->setText(tarnQText("Live Scroll Feel Sandbox", "Canlı Kaydırma Test Alanı", m_viewModel.language()));
    const QString sentence = tarnQText(
        "Test your mouse wheel and Shift+Wheel horizontal glide right here without leaving TarnInput.",
        "Fare tekerleğinizi ve Shift+Tekerlek yatay kaydırmanızı doğrudan burada test edin.", m_viewModel.language());
    for (auto* label : m_sandboxTexts) {
        label->setText(sentence);
    }
}

void ScrollEngineView::syncSettings()
{
    const auto& settings = m_viewModel.settings();
    const std::pair<QCheckBox*, bool> toggles[] {{m_reverseWheel, settings.reverseMouseWheel},
        {m_reverseTrackpad, settings.reverseTrackpad}, {m_shiftHorizontal, settings.shiftScrollHorizontal},
        {m_optionZoom, settings.optionScrollZoomEnabled}, {m_smoothScroll, settings.smoothScrollEnabled}};
    for (const auto& [toggle, checked] : toggles) {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(checked);
    }
    m_speedSlider->setValue(settings.scrollSpeedMultiplier);
    m_speedValue->setText(speedText(settings.scrollSpeedMultiplier));
    m_glideSlider->setValue(settings.smoothDecayRate);
    m_glideValue->setText(glideText(settings.smoothDecayRate));
    syncExclusions();
}

void ScrollEngineView::syncExclusions()
{
    const auto& excluded = m_viewModel.settings().smoothScrollExcludedBundles;
    if (excluded == m_shownExclusions && m_chipLayout->count() > 0) {
        return;
    }
    m_shownExclusions = excluded;
    discardWidgets(m_chipLayout);
    std::vector<std::string> keys;
    for (const auto& bundleID : excluded) {
        // Equal entries share one chip; closing it removes them all.
        if (std::find(keys.begin(), keys.end(), bundleID) != keys.end()) {
            continue;
        }
        keys.push_back(bundleID);
        auto* chip = new RoundedPlate(100, TarnGlassTokens::surface2());
        chip->setObjectName(QString::fromStdString("exclusion:" + bundleID));
        auto* row = new QHBoxLayout(chip);
        row->setContentsMargins(10, 6, 10, 6);
        auto* label
            = makeTextLabel(11.5, QFont::Normal, TarnGlassTokens::textPrimary(), false, TarnFontDesign::monospaced);
        label->setText(QString::fromStdString(bundleID));
        label->setMinimumWidth(1);
        auto* close = new SymbolButton("xmark.circle.fill", TarnGlassTokens::textMuted(), 14);
        close->setObjectName("removeExclusion");
        connect(close, &QAbstractButton::clicked, this, [this, bundleID] { m_viewModel.removeExclusion(bundleID); });
        row->addWidget(label, 1);
        row->addWidget(close);
        m_chipLayout->addWidget(chip);
    }
    m_chipGrid->setVisible(!keys.empty());
}

QString ScrollEngineView::speedText(double multiplier)
{
    return QString::fromStdString(fmt::format("{:.2f}×", multiplier));
}

QString ScrollEngineView::glideText(double decayRate)
{
    return roundedText(decayRate * 100) + "%";
}

} // namespace tarn::input
