#include "TarnKit/Suite/Views/TarnSuiteQuickActionsStrip.h"

#include <cmath>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/SuiteViewPainting.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

struct StripMetrics {
    double spacing;
    double padX;
    double padY;
    double symbolSize;
    double titleSize;
    double chipPadX;
    double chipPadY;
};

constexpr StripMetrics kStudio {8, 14, 7, 10.5, 11, 10, 5};
constexpr StripMetrics kCompact {6, 2, 0, 9.5, 10, 8, 4};

suiteviews::LabelRun chipRun(const TarnSuiteQuickActionChip& chip, const StripMetrics& m)
{
    return {chip.symbol, toQString(chip.title), TarnTextStyles::systemFont(m.symbolSize, QFont::DemiBold),
        TarnTextStyles::systemFont(m.titleSize, QFont::DemiBold), 5};
}

suiteviews::LabelRun sectionRun(const std::string& label)
{
    return {"square.grid.2x2.fill", toQString(label), TarnTextStyles::font(TarnTextStyle::caption, QFont::Normal),
        TarnTextStyles::systemFont(10.5, QFont::Bold), 5};
}

} // namespace

// The painted row of the label and the chips inside the scroll area.
class TarnSuiteQuickActionsStrip::Row final : public QWidget {
public:
    explicit Row(TarnSuiteQuickActionsStrip& strip)
        : m_strip(strip)
    {
        setMouseTracking(true);
    }

    const StripMetrics& metrics() const { return m_strip.m_compact ? kCompact : kStudio; }

    double chipHeight() const
    {
        const StripMetrics& m = metrics();
        return QFontMetricsF(TarnTextStyles::systemFont(m.titleSize, QFont::DemiBold)).height() + m.chipPadY * 2;
    }

    std::vector<QRectF> chipRects() const
    {
        const StripMetrics& m = metrics();
        const auto& shown = *m_strip.m_presentation;
        double x = m.padX;
        if (!shown.sectionLabel.empty()) {
            x += suiteviews::measure(sectionRun(shown.sectionLabel)).width() + 2 + m.spacing;
        }
        std::vector<QRectF> rects;
        for (const auto& chip : shown.chips) {
            const double w = suiteviews::measure(chipRun(chip, m)).width() + m.chipPadX * 2;
            rects.emplace_back(x, m.padY, w, chipHeight());
            x += w + m.spacing;
        }
        return rects;
    }

    QSize sizeHint() const override
    {
        const StripMetrics& m = metrics();
        const auto rects = chipRects();
        const double right = rects.empty() ? m.padX : rects.back().right() + m.padX;
        return {static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(chipHeight() + m.padY * 2))};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const StripMetrics& m = metrics();
        const auto& shown = *m_strip.m_presentation;
        const double centreY = m.padY + chipHeight() / 2;
        if (!shown.sectionLabel.empty()) {
            suiteviews::paint(painter, sectionRun(shown.sectionLabel), m.padX, centreY, TarnGlassTokens::textMuted());
        }
        const auto rects = chipRects();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const auto& chip = shown.chips[i];
            TarnContinuousShape::paintCapsule(painter, rects[i],
                suiteviews::withAlpha(chip.tint, chip.emphasized ? 0.30 : 0.14),
                suiteviews::withAlpha(chip.tint, chip.emphasized ? 0.65 : 0.32));
            suiteviews::paint(painter, chipRun(chip, m), rects[i].left() + m.chipPadX, centreY,
                chip.emphasized ? QColor(Qt::white) : chip.tint);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const int chip = chipAt(event->position());
        setToolTip(chip < 0 ? QString() : toQString(m_strip.m_presentation->chips[chip].helpText));
        setCursor(chip < 0 ? Qt::ArrowCursor : Qt::PointingHandCursor);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const int chip = chipAt(event->position());
        if (event->button() == Qt::LeftButton && chip >= 0) {
            m_strip.press(static_cast<std::size_t>(chip));
        }
    }

private:
    int chipAt(const QPointF& point) const
    {
        const auto rects = chipRects();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            if (TarnContinuousShape::capsule(rects[i]).contains(point)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    TarnSuiteQuickActionsStrip& m_strip;
};

TarnSuiteQuickActionsStrip::TarnSuiteQuickActionsStrip(TarnSuiteApp currentApp,
    const TarnVirtualMemorySummary* vmSummary, const TarnReaperLiveStatus* reaperStatus, TarnLanguage language,
    bool compact, Feedback onFeedback, const AppEnvironment& environment, TarnSuiteSend send, QWidget* parent)
    : QScrollArea(parent)
    , m_presentation(TarnSuiteQuickActionsPresentation::present(
          currentApp, vmSummary, reaperStatus, language, compact, environment))
    , m_currentApp(currentApp)
    , m_language(language)
    , m_compact(compact)
    , m_onFeedback(std::move(onFeedback))
    , m_send(std::move(send))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Only the studio bar has a surface of its own; the compact row lies on its host's.
    QPalette clear = palette();
    clear.setColor(QPalette::Window, Qt::transparent);
    clear.setColor(QPalette::Base, Qt::transparent);
    setPalette(clear);
    viewport()->setPalette(clear);
    viewport()->setAutoFillBackground(false);
    if (!m_presentation) {
        setVisible(false);
        setFixedSize(0, 0);
        return;
    }
    m_row = new Row(*this);
    m_row->setAttribute(Qt::WA_TranslucentBackground);
    m_row->resize(m_row->sizeHint());
    setWidget(m_row);
    setWidgetResizable(false);
    setFixedHeight(m_row->sizeHint().height());
    if (!compact) {
        // The studio bar lies on the first glass surface.
        QPalette palette = viewport()->palette();
        palette.setColor(QPalette::Window, TarnGlassTokens::surface1());
        viewport()->setPalette(palette);
        viewport()->setAutoFillBackground(true);
    }
}

std::vector<QRectF> TarnSuiteQuickActionsStrip::chipRects() const
{
    return m_row != nullptr ? m_row->chipRects() : std::vector<QRectF> {};
}

void TarnSuiteQuickActionsStrip::press(std::size_t chip)
{
    if (!m_presentation || chip >= m_presentation->chips.size()) {
        return;
    }
    std::string text
        = TarnSuiteQuickActionsPresentation::trigger(m_presentation->chips[chip], m_currentApp, m_language, m_send);
    if (m_onFeedback) {
        m_onFeedback(text);
    }
}

QSize TarnSuiteQuickActionsStrip::sizeHint() const
{
    return m_row != nullptr ? m_row->sizeHint() : QSize(0, 0);
}

} // namespace tarn
