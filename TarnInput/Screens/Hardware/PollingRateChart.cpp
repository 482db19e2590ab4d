#include "TarnInput/Screens/Hardware/PollingRateChart.h"

#include <algorithm>

#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {
constexpr double kPadding = 8;
constexpr double kRowHeight = 48;
constexpr double kBarSpacing = 3;
constexpr double kTallestBar = 44;
constexpr double kShortestBar = 3.52;
constexpr double kShortBarRatio = 0.08;
constexpr double kSmallestScaleHz = 125;
} // namespace

PollingRateChart::PollingRateChart(const QColor& accent, QWidget* parent)
    : QWidget(parent)
    , m_accent(accent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(static_cast<int>(kRowHeight + 2 * kPadding));
}

std::vector<double> PollingRateChart::barHeights(const std::vector<std::int64_t>& history, std::int64_t peakHz)
{
    const double scale = std::max(static_cast<double>(peakHz), kSmallestScaleHz);
    const auto first = history.size() > kMaximumBars ? history.end() - kMaximumBars : history.begin();
    std::vector<double> heights;
    for (auto rate = first; rate != history.end(); ++rate) {
        const double ratio = static_cast<double>(*rate) / scale;
        heights.push_back(ratio <= kShortBarRatio ? kShortestBar : std::min(ratio, 1.0) * kTallestBar);
    }
    return heights;
}

void PollingRateChart::setRates(const std::vector<std::int64_t>& history, std::int64_t peakHz)
{
    m_heights = barHeights(history, peakHz);
    update();
}

void PollingRateChart::setWaitingText(const QString& text)
{
    m_waitingText = text;
    update();
}

QSize PollingRateChart::sizeHint() const
{
    return QSize(200, static_cast<int>(kRowHeight + 2 * kPadding));
}

void PollingRateChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintRoundedRect(
        painter, QRectF(rect()), 10, QColor::fromRgbF(0, 0, 0, 0.26F), Qt::transparent);
    const QRectF area = QRectF(rect()).adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (m_heights.empty()) {
        const QFont font = TarnTextStyles::font(TarnTextStyle::subheadline, QFont::Normal, TarnFontDesign::monospaced);
        TarnTextStyles::drawCentredLine(
            painter, area, m_waitingText, QFontMetricsF(font), font, TarnGlassTokens::textMuted());
        return;
    }
    const auto count = static_cast<double>(m_heights.size());
    const double width = std::max(0.0, (area.width() - kBarSpacing * (count - 1)) / count);
    QColor fill = m_accent;
    fill.setAlphaF(0.85F);
    for (std::size_t index = 0; index < m_heights.size(); ++index) {
        const double height = m_heights[index];
        const QRectF bar(
            area.left() + static_cast<double>(index) * (width + kBarSpacing), area.bottom() - height, width, height);
        TarnContinuousShape::paintRoundedRect(painter, bar, 2, fill, Qt::transparent);
    }
}

} // namespace tarn::input
