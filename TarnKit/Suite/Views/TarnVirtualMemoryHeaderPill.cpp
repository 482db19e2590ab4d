#include "TarnKit/Suite/Views/TarnVirtualMemoryHeaderPill.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/SuiteViewPainting.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

constexpr double kDot = 6;
constexpr double kSpacing = 5;
constexpr double kPadX = 9;
constexpr double kPadY = 4;

suiteviews::LabelRun label(const TarnVirtualMemoryHeaderPillPresentation& shown)
{
    return {shown.symbol, toQString(shown.title), TarnTextStyles::font(TarnTextStyle::caption, QFont::DemiBold),
        TarnTextStyles::font(TarnTextStyle::subheadline, QFont::DemiBold, TarnFontDesign::monospaced), kSpacing};
}

} // namespace

TarnVirtualMemoryHeaderPill::TarnVirtualMemoryHeaderPill(const TarnVirtualMemorySummary& summary, TarnLanguage language,
    std::function<void()> onTap, AppEnvironment& environment, QWidget* parent)
    : QWidget(parent)
    , m_presentation(TarnVirtualMemoryHeaderPillPresentation::present(summary, language))
    , m_onTap(std::move(onTap))
    , m_environment(environment)
{
    setToolTip(toQString(m_presentation.tooltip));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TarnVirtualMemoryHeaderPill::sizeHint() const
{
    const QSizeF run = suiteviews::measure(label(m_presentation));
    return {static_cast<int>(std::ceil(kPadX * 2 + kDot + kSpacing + run.width())),
        static_cast<int>(std::ceil(kPadY * 2 + std::max(kDot, run.height())))};
}

void TarnVirtualMemoryHeaderPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor& tint = m_presentation.tint;
    TarnContinuousShape::paintCapsule(
        painter, QRectF(rect()), suiteviews::withAlpha(tint, 0.2), suiteviews::withAlpha(tint, 0.45));
    const double centreY = height() / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawEllipse(QRectF(kPadX, centreY - kDot / 2, kDot, kDot));
    suiteviews::paint(painter, label(m_presentation), kPadX + kDot + kSpacing, centreY, tint);
}

void TarnVirtualMemoryHeaderPill::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        return;
    }
    if (m_onTap) {
        m_onTap();
        return;
    }
    m_environment.launch(TarnSuiteApp::tarnMemory);
}

} // namespace tarn
