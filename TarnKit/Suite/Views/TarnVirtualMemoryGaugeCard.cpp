#include "TarnKit/Suite/Views/TarnVirtualMemoryGaugeCard.h"

#include <QBoxLayout>
#include <QPainter>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/SuiteViewParts.h"
#include "TarnKit/Suite/Views/TarnAdaptiveGridLayout.h"
#include "TarnKit/Suite/Views/TarnFitsFirstLayout.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnFlowLayout.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

constexpr int kPadding = 14;
constexpr double kRadius = 13;

QFont badgeFont(QFont::Weight weight, TarnFontDesign design = TarnFontDesign::standard)
{
    return TarnTextStyles::systemFont(9.5, weight, design);
}

} // namespace

TarnVirtualMemoryGaugeCard::TarnVirtualMemoryGaugeCard(const TarnVirtualMemorySummary& summary, TarnLanguage language,
    const QColor& accentColor, TarnSuiteApp sourceApp, Feedback onFeedback, const AppEnvironment& environment,
    TarnSuiteSend send, QWidget* parent)
    : QWidget(parent)
    , m_presentation(TarnVirtualMemoryGaugeCardPresentation::present(summary, language, accentColor, environment))
    , m_sourceApp(sourceApp)
    , m_onFeedback(std::move(onFeedback))
    , m_send(std::move(send))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(10);

    auto* header = new QWidget(this);
    m_header = new TarnFitsFirstLayout(header);
    m_header->addWidget(makeHeader(false));
    m_header->addWidget(makeHeader(true));
    column->addWidget(header);

    auto* gauges = new TarnAdaptiveGridLayout(256, 14, 10);
    gauges->addWidget(new suiteviews::GaugeBar(m_presentation.physical, this));
    gauges->addWidget(new suiteviews::GaugeBar(m_presentation.virtualArea, this));
    column->addLayout(gauges);

    auto* pills = new TarnAdaptiveGridLayout(155, 8, 8);
    for (const auto& pill : m_presentation.pills) {
        pills->addWidget(new suiteviews::StatPill(pill, this));
    }
    column->addLayout(pills);
}

QWidget* TarnVirtualMemoryGaugeCard::makeHeader(bool stacked)
{
    auto* arrangement = new QWidget(this);
    QBoxLayout* layout = stacked ? static_cast<QBoxLayout*>(new QVBoxLayout(arrangement))
                                 : static_cast<QBoxLayout*>(new QHBoxLayout(arrangement));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(makeTitleBadges(), stacked ? 0 : 1);
    if (!stacked) {
        layout->addSpacing(8);
    }
    layout->addWidget(makeButtons(), 0, stacked ? Qt::AlignLeft : Qt::AlignVCenter);
    return arrangement;
}

QWidget* TarnVirtualMemoryGaugeCard::makeTitleBadges()
{
    auto* block = new QWidget(this);
    auto* flow = new TarnFlowLayout(7, 5, block);
    const QColor& status = m_presentation.statusColor;
    flow->addWidget(
        new suiteviews::RunBadge({"externaldrive.badge.timemachine", toQString(m_presentation.title),
                                     TarnTextStyles::font(TarnTextStyle::subheadline, QFont::Bold),
                                     TarnTextStyles::font(TarnTextStyle::subheadline, QFont::Bold), 6, status},
            TarnGlassTokens::textPrimary(), Qt::transparent, 0, 0, block));
    flow->addWidget(new suiteviews::RunBadge(
        {{}, toQString(m_presentation.statusBadge), {}, badgeFont(QFont::Bold, TarnFontDesign::monospaced), 0}, status,
        suiteviews::withAlpha(status, 0.22), 7, 2, block));
    if (m_presentation.liveBadge) {
        flow->addWidget(
            new suiteviews::RunBadge({{}, toQString(*m_presentation.liveBadge), {}, badgeFont(QFont::DemiBold), 0},
                TarnGlassTokens::success(), suiteviews::withAlpha(TarnGlassTokens::success(), 0.18), 6, 2, block));
    }
    if (m_presentation.effectiveBadge) {
        flow->addWidget(new suiteviews::RunBadge({{}, toQString(*m_presentation.effectiveBadge), {},
                                                     badgeFont(QFont::DemiBold, TarnFontDesign::monospaced), 0},
            TarnGlassTokens::textSecondary(), TarnGlassTokens::surface2(), 6, 2, block));
    }
    return block;
}

QWidget* TarnVirtualMemoryGaugeCard::makeButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < m_presentation.buttons.size(); ++i) {
        const auto& shown = m_presentation.buttons[i];
        auto* button = new TarnGlassButton(toQString(shown.title), row);
        button->setSymbol(shown.symbol);
        button->setActive(shown.active);
        button->setFont(TarnTextStyles::font(TarnTextStyle::caption2, QFont::Bold));
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        connect(button, &QAbstractButton::clicked, this, [this, i] { press(i); });
        layout->addWidget(button);
        buttons.push_back(button);
    }
    m_buttons.push_back(std::move(buttons));
    return row;
}

void TarnVirtualMemoryGaugeCard::press(std::size_t button)
{
    const auto report
        = TarnVirtualMemoryGaugeCardPresentation::trigger(m_presentation.buttons[button], m_sourceApp, m_send);
    if (report && m_onFeedback) {
        m_onFeedback(*report);
    }
}

bool TarnVirtualMemoryGaugeCard::headerIsStacked() const
{
    return m_header->chosen() == 1;
}

std::vector<QAbstractButton*> TarnVirtualMemoryGaugeCard::visibleButtons() const
{
    return m_buttons[headerIsStacked() ? 1 : 0];
}

void TarnVirtualMemoryGaugeCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintRoundedRect(
        painter, QRectF(rect()), kRadius, TarnGlassTokens::surface1(), TarnGlassTokens::borderSubtle());
}

} // namespace tarn
