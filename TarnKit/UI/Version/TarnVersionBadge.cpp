#include "TarnKit/UI/Version/TarnVersionBadge.h"

#include <cmath>
#include <utility>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

TarnVersionBadge::TarnVersionBadge(TarnAppVersion version, bool showBuild, QWidget* parent)
    : QWidget(parent)
    , m_version(std::move(version))
    , m_showBuild(showBuild)
{
    setFont(badgeFont());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString TarnVersionBadge::text() const
{
    return QString::fromStdString(m_showBuild ? m_version.detailedDisplay() : m_version.tag());
}

QFont TarnVersionBadge::badgeFont()
{
    return TarnTextStyles::systemFont(kFontSize, QFont::DemiBold, TarnFontDesign::monospaced);
}

QSize TarnVersionBadge::sizeHint() const
{
    const QFontMetricsF metrics(badgeFont(), this);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()) + 2.0 * kHorizontalPadding)),
        static_cast<int>(std::ceil(metrics.height() + 2.0 * kVerticalPadding))};
}

QSize TarnVersionBadge::minimumSizeHint() const
{
    return sizeHint();
}

void TarnVersionBadge::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    TarnContinuousShape::paintCapsule(painter, bounds, TarnGlassTokens::surface2(), TarnGlassTokens::borderSubtle());
    painter.setFont(badgeFont());
    painter.setPen(TarnGlassTokens::textSecondary());
    painter.drawText(bounds, Qt::AlignCenter | Qt::TextSingleLine, text());
}

} // namespace tarn
