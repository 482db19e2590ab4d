#include "TarnKit/UI/Version/TarnVersionBadge.h"

#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnVersionBadgeTest, ShowsTheTagOrTheTagWithTheBuild)
{
    const TarnAppVersion version {"1.0.0", "100"};
    EXPECT_EQ(TarnVersionBadge(version, false).text(), QStringLiteral("v1.0.0"));
    EXPECT_EQ(TarnVersionBadge(version, true).text(), QStringLiteral("v1.0.0 (100)"));
}

TEST(TarnVersionBadgeTest, IsThePaddedTextInACapsule)
{
    TarnVersionBadge badge(TarnAppVersion {"2.4.1", "77"}, true);
    const QFontMetricsF metrics(badge.font(), &badge);
    // Monospaced: a narrow and a wide letter take the same advance.
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('m')));
    EXPECT_EQ(
        badge.sizeHint(), QSize(qCeil(metrics.horizontalAdvance(badge.text()) + 14.0), qCeil(metrics.height() + 5.0)));

    badge.resize(badge.sizeHint());
    badge.setAttribute(Qt::WA_TranslucentBackground);
    const QImage image = badge.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    // The capsule's edge, then its surface2 fill just inside.
    EXPECT_NEAR(qAlpha(image.pixel(image.width() / 2, 0)), qRound((0.14 + 0.10 * 0.86) * 255), 2);
    EXPECT_NEAR(qAlpha(image.pixel(image.width() / 2, 1)), qRound(0.10 * 255), 1);
}

} // namespace
} // namespace tarn
