#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "TarnInputCore/Model/Keys/KeyHUDTokenWords.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kCapSpacing = 8.0;
constexpr double kCapPaddingX = 14.0;
constexpr double kCapPaddingY = 8.0;
constexpr double kCapRadius = 11.0;
constexpr double kCapBorderWidth = 1.2;
constexpr double kShortcutFillOpacity = 0.32;
constexpr double kTextFillOpacity = 0.14;
constexpr double kShortcutBorderOpacity = 0.85;
constexpr double kRowPaddingX = 14.0;
constexpr double kRowPaddingY = 10.0;
const QColor kCapsuleFill = QColor::fromRgbF(12.0F / 255.0F, 31.0F / 255.0F, 43.0F / 255.0F, 0.92F);

QFont keyFont()
{
    return TarnTextStyles::systemFont(18.0, QFont::Bold, TarnFontDesign::rounded);
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

} // namespace

KeyHUDPillView::KeyHUDPillView(QColor accent, QWidget* parent)
    : QWidget(parent)
    , m_accent(accent)
{
    setObjectName(QStringLiteral("keyHUDPill"));
    // Key sequences read left to right, also where the interface is mirrored: "Shift+Super+K"
    // must not come out as "K+Super+Shift".
    setLayoutDirection(Qt::LeftToRight);
}

void KeyHUDPillView::setTokens(std::vector<KeyHUDToken> tokens)
{
    m_tokens = std::move(tokens);
    update();
}

std::vector<QString> KeyHUDPillView::capTexts() const
{
    std::vector<QString> texts;
    for (const KeyHUDToken& token : m_tokens) {
        texts.push_back(TarnTextStyles::oneLine(QString::fromStdString(keyHUDTokenWords(token.text))));
    }
    return texts;
}

int KeyHUDPillView::naturalWidth() const
{
    const QFontMetricsF metrics(keyFont(), this);
    const std::vector<QString> texts = capTexts();
    double row = kCapSpacing * std::max(0.0, static_cast<double>(texts.size()) - 1.0);
    for (const QString& text : texts) {
        row += metrics.horizontalAdvance(text) + 2.0 * kCapPaddingX;
    }
    return static_cast<int>(std::ceil(row + 2.0 * kRowPaddingX));
}

QStringList KeyHUDPillView::shownTexts() const
{
    QStringList texts;
    for (const CapLayout& cap : layoutPill().caps) {
        texts << cap.text;
    }
    return texts;
}

KeyHUDPillView::PillLayout KeyHUDPillView::layoutPill() const
{
    const QFont font = keyFont();
    const QFontMetricsF metrics(font, this);
    const std::vector<QString> texts = capTexts();
    std::vector<double> textWidths;
    for (const QString& text : texts) {
        textWidths.push_back(metrics.horizontalAdvance(text));
    }
    const auto count = static_cast<double>(m_tokens.size());
    const double gaps = kCapSpacing * std::max(0.0, count - 1.0);
    const double paddings = 2.0 * kCapPaddingX * count;
    const double naturalRow = std::accumulate(textWidths.begin(), textWidths.end(), 0.0) + gaps + paddings;
    // Keys with long names share what the window has rather than run off its edges.
    const double availableRow = width() - 2.0 * kRowPaddingX;
    const double textLimit = naturalRow > availableRow && count > 0
        ? std::max(0.0, (availableRow - gaps - paddings) / count)
        : std::numeric_limits<double>::max();

    const double capHeight = metrics.height() + 2.0 * kCapPaddingY;
    double rowWidth = gaps;
    std::vector<CapLayout> caps;
    for (std::size_t i = 0; i < m_tokens.size(); ++i) {
        const QString text = TarnTextStyles::singleLine(texts[i], metrics, textLimit);
        const double capWidth = std::min(textWidths[i], textLimit) + 2.0 * kCapPaddingX;
        caps.push_back({QRectF(0, 0, capWidth, capHeight), text, m_tokens[i].isShortcut});
        rowWidth += capWidth;
    }
    double x = (width() - rowWidth) / 2.0;
    const double y = (height() - capHeight) / 2.0;
    for (CapLayout& cap : caps) {
        cap.rect.moveTo(x, y);
        x += cap.rect.width() + kCapSpacing;
    }
    const QSizeF capsule(std::max(0.0, rowWidth) + 2.0 * kRowPaddingX, capHeight + 2.0 * kRowPaddingY);
    return {QRectF(QPointF((width() - capsule.width()) / 2.0, (height() - capsule.height()) / 2.0), capsule),
        std::move(caps)};
}

QRectF KeyHUDPillView::capsuleRect() const
{
    return layoutPill().capsule;
}

QRegion KeyHUDPillView::capsuleRegion() const
{
    return QRegion(TarnContinuousShape::capsule(capsuleRect()).toFillPolygon().toPolygon());
}

void KeyHUDPillView::paintEvent(QPaintEvent*)
{
    const PillLayout layout = layoutPill();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    TarnContinuousShape::paintCapsule(painter, layout.capsule, kCapsuleFill, TarnGlassTokens::borderStrong());
    painter.setFont(keyFont());
    for (const CapLayout& cap : layout.caps) {
        paintCap(painter, cap);
    }
}

void KeyHUDPillView::paintCap(QPainter& painter, const CapLayout& cap) const
{
    const QColor fill
        = cap.isShortcut ? withOpacity(m_accent, kShortcutFillOpacity) : withOpacity(Qt::white, kTextFillOpacity);
    const QColor border
        = cap.isShortcut ? withOpacity(m_accent, kShortcutBorderOpacity) : TarnGlassTokens::borderStrong();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(TarnContinuousShape::roundedRect(cap.rect, kCapRadius));

    // The border lies inside the cap: its centre line is half a line width in.
    const double inset = kCapBorderWidth / 2.0;
    QPen pen(border, kCapBorderWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(
        TarnContinuousShape::roundedRect(cap.rect.adjusted(inset, inset, -inset, -inset), kCapRadius - inset));

    painter.setPen(Qt::white);
    painter.drawText(cap.rect, Qt::AlignCenter, cap.text);
}

} // namespace tarn::input
