#include "TarnKit/UI/Text/TarnSymbolIcons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

#include <QDir>
#include <QFontMetricsF>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>

#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

// Between a button label's symbol and its text.
constexpr double kLabelGap = 5.0;

// `none`: a theme icon only; without one the symbol falls back to the plain circle.
enum class Drawing { none, warningTriangle, checkmarkCircle, checkmark, globe, ladybug, lightbulb, twoBubbles };

struct SymbolRow {
    std::string_view symbol;
    std::array<const char*, 2> themeNames;
    Drawing drawing;
};

// Symbolic names only: they are single-colour silhouettes that survive being used as a mask.
constexpr auto kSymbols = std::to_array<SymbolRow>({
    {"exclamationmark.triangle.fill", {"dialog-warning-symbolic", "emblem-important-symbolic"},
        Drawing::warningTriangle},
    {"checkmark.circle.fill", {"emblem-default-symbolic", "emblem-ok-symbolic"}, Drawing::checkmarkCircle},
    {"checkmark", {"object-select-symbolic", "checkmark-symbolic"}, Drawing::checkmark},
    {"globe", {"globe-symbolic", "web-globe-symbolic"}, Drawing::globe},
    // Devices.
    {"computermouse.fill", {"input-mouse-symbolic", "input-mouse"}, Drawing::none},
    {"magicmouse.fill", {"input-mouse-symbolic", "input-mouse"}, Drawing::none},
    {"circle.circle.fill", {"input-mouse-symbolic", "input-mouse"}, Drawing::none},
    {"trackpad", {"input-touchpad-symbolic", "input-touchpad"}, Drawing::none},
    {"pencil.and.outline", {"input-tablet-symbolic", "input-tablet"}, Drawing::none},
    {"cpu.fill", {"computer-symbolic", "applications-system-symbolic"}, Drawing::none},
    {"battery.75percent", {"battery-level-80-symbolic", "battery-good-symbolic"}, Drawing::none},
    {"battery.25percent", {"battery-level-20-symbolic", "battery-low-symbolic"}, Drawing::none},
    // Actions.
    {"doc.on.clipboard", {"edit-copy-symbolic", "edit-copy"}, Drawing::none},
    {"arrow.clockwise", {"view-refresh-symbolic", "view-refresh"}, Drawing::none},
    {"checkmark.circle", {"emblem-ok-symbolic", "object-select-symbolic"}, Drawing::checkmarkCircle},
    {"play.circle.fill", {"media-playback-start-symbolic", "media-playback-start"}, Drawing::none},
    {"stop.circle.fill", {"media-playback-stop-symbolic", "media-playback-stop"}, Drawing::none},
    {"xmark.circle.fill", {"window-close-symbolic", "edit-clear-symbolic"}, Drawing::none},
    {"plus.circle.fill", {"list-add-symbolic", "list-add"}, Drawing::none},
    {"trash", {"user-trash-symbolic", "user-trash"}, Drawing::none},
    {"arrow.right", {"go-next-symbolic", "go-next"}, Drawing::none},
    {"arrow.up.circle.fill", {"go-up-symbolic", "go-up"}, Drawing::none},
    {"arrow.down.circle.fill", {"go-down-symbolic", "go-down"}, Drawing::none},
    {"arrow.left.circle.fill", {"go-previous-symbolic", "go-previous"}, Drawing::none},
    {"arrow.right.circle.fill", {"go-next-symbolic", "go-next"}, Drawing::none},
    // Card titles.
    {"gauge.with.dots.needle.67percent", {"power-profile-performance-symbolic", "utilities-system-monitor-symbolic"},
        Drawing::none},
    {"shield.checkered", {"security-high-symbolic", "security-medium-symbolic"}, Drawing::none},
    {"cursorarrow.motionlines", {"input-mouse-symbolic", "find-location-symbolic"}, Drawing::none},
    {"ruler.fill", {"zoom-fit-best-symbolic", "view-fullscreen-symbolic"}, Drawing::none},
    {"arrow.up.arrow.down.circle.fill", {"object-flip-vertical-symbolic", "view-sort-descending-symbolic"},
        Drawing::none},
    {"waveform.path", {"view-continuous-symbolic", "media-playlist-repeat-symbolic"}, Drawing::none},
    {"app.badge.checkmark", {"application-x-executable-symbolic", "view-app-grid-symbolic"}, Drawing::none},
    {"hand.tap.fill", {"input-mouse-symbolic", "input-mouse"}, Drawing::none},
    {"hand.draw.fill", {"input-touchpad-symbolic", "document-edit-symbolic"}, Drawing::none},
    // Suite views.
    {"bolt.fill", {"power-profile-performance-symbolic", "weather-storm-symbolic"}, Drawing::none},
    {"bolt.circle.fill", {"power-profile-performance-symbolic", "weather-storm-symbolic"}, Drawing::none},
    {"sun.max.fill", {"weather-clear-symbolic", "display-brightness-symbolic"}, Drawing::none},
    {"externaldrive.badge.timemachine", {"drive-harddisk-symbolic", "drive-removable-media-symbolic"}, Drawing::none},
    {"xmark.octagon.fill", {"process-stop-symbolic", "dialog-error-symbolic"}, Drawing::none},
    {"scope", {"find-location-symbolic", "mark-location-symbolic"}, Drawing::none},
    {"chart.bar.xaxis", {"x-office-spreadsheet-symbolic", "utilities-system-monitor-symbolic"}, Drawing::none},
    {"rectangle.inset.topright.filled", {"view-dual-symbolic", "focus-windows-symbolic"}, Drawing::none},
    {"thermometer.medium", {"sensors-temperature-symbolic", "temperature-symbolic"}, Drawing::none},
    {"square.grid.2x2.fill", {"view-app-grid-symbolic", "view-grid-symbolic"}, Drawing::none},
    {"memorychip", {"media-flash-symbolic", "drive-multidisk-symbolic"}, Drawing::none},
    {"checkmark.seal.fill", {"emblem-ok-symbolic", "emblem-default-symbolic"}, Drawing::checkmarkCircle},
    {"xmark", {"window-close-symbolic", "edit-clear-symbolic"}, Drawing::none},
    {"circle", {"radio-symbolic", "media-record-symbolic"}, Drawing::none},
    // Feedback and version sheet.
    {"bubble.left.and.exclamationmark.bubble.right", {"chat-message-new-symbolic", "mail-message-new-symbolic"},
        Drawing::none},
    {"tag.fill", {"bookmark-new-symbolic", "tag-symbolic"}, Drawing::none},
    {"clock.arrow.circlepath", {"document-open-recent-symbolic", "preferences-system-time-symbolic"}, Drawing::none},
    {"doc.text.magnifyingglass", {"edit-find-symbolic", "system-search-symbolic"}, Drawing::none},
    {"doc.on.doc", {"edit-copy-symbolic", "edit-paste-symbolic"}, Drawing::none},
    {"folder", {"folder-symbolic", "folder-open-symbolic"}, Drawing::none},
    {"keyboard.badge.eye", {"input-keyboard-symbolic", "input-keyboard"}, Drawing::none},
    // Permission states.
    {"checkmark.shield.fill", {"security-high-symbolic", "emblem-ok-symbolic"}, Drawing::checkmarkCircle},
    {"exclamationmark.shield.fill", {"security-low-symbolic", "dialog-warning-symbolic"}, Drawing::warningTriangle},
    // The studio window and the tray popover.
    {"square.stack.3d.up.fill", {"view-paged-symbolic", "view-dual-symbolic"}, Drawing::none},
    {"gearshape.fill", {"emblem-system-symbolic", "preferences-system-symbolic"}, Drawing::none},
    {"lock.shield.fill", {"security-high-symbolic", "system-lock-screen-symbolic"}, Drawing::none},
    {"sparkles", {"starred-symbolic", "emblem-favorite-symbolic"}, Drawing::none},
    // The macro studio.
    {"bolt.horizontal.circle.fill", {"media-seek-forward-symbolic", "system-run-symbolic"}, Drawing::none},
    {"plus.circle.fill", {"list-add-symbolic", "list-add"}, Drawing::none},
    {"play.fill", {"media-playback-start-symbolic", "media-playback-start"}, Drawing::none},
    {"pencil", {"document-edit-symbolic", "edit-symbolic"}, Drawing::none},
    {"chevron.right", {"pan-end-symbolic", "go-next-symbolic"}, Drawing::none},
    // The feedback composer. Most themes lack a bug, a bulb and a pair of speech bubbles, so
    // those three have drawings of our own.
    {"ladybug.fill", {"bug-symbolic", "tools-report-bug-symbolic"}, Drawing::ladybug},
    {"lightbulb.fill", {"lightbulb-symbolic", "idea-symbolic"}, Drawing::lightbulb},
    {"bubble.left.and.bubble.right.fill", {"chat-symbolic", "conversation-symbolic"}, Drawing::twoBubbles},
    {"photo.on.rectangle.angled", {"image-x-generic-symbolic", "insert-image-symbolic"}, Drawing::none},
    {"plus.circle", {"list-add-symbolic", "list-add"}, Drawing::none},
    {"safari", {"web-browser-symbolic", "globe-symbolic"}, Drawing::globe},
    // Themes offer only a bare check; our filled seal with the check cut out reads as a seal.
    {"checkmark.seal.fill", {"checkmark-seal-symbolic", "verified-symbolic"}, Drawing::checkmarkCircle},
    {"camera.fill", {"camera-photo-symbolic", "camera-symbolic"}, Drawing::none},
});

// Symbols that point the way a line is read: a right-to-left layout shows them mirrored, as it
// shows the steps they lead through in the other order.
bool pointsAlongTheText(std::string_view symbol)
{
    return symbol == "arrow.right" || symbol == "chevron.right";
}

const SymbolRow* find(std::string_view symbol)
{
    const auto it = std::find_if(
        kSymbols.begin(), kSymbols.end(), [symbol](const SymbolRow& row) { return row.symbol == symbol; });
    return it == kSymbols.end() ? nullptr : &*it;
}

QIcon lookUpThemeIcon(std::string_view symbol)
{
    for (const QString& name : TarnSymbolIcons::themeNames(symbol)) {
        QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull()) {
            return icon;
        }
    }
    return {};
}

// Each symbol is looked up once per theme: Qt looks for a name that no theme has in the fallback
// pixmap folder again on every call, and symbols are painted on every repaint (a card's telemetry
// line changes with each click). Main thread only, as pictures are.
QIcon themeIcon(std::string_view symbol)
{
    TarnSymbolIcons::prepareIconTheme();
    static QString themeOfCache;
    static std::map<std::string, QIcon, std::less<>> cache;
    const QString theme = QIcon::themeName() + QLatin1Char('\n') + QIcon::fallbackThemeName();
    if (theme != themeOfCache) {
        cache.clear();
        themeOfCache = theme;
    }
    auto found = cache.find(symbol);
    if (found == cache.end()) {
        found = cache.emplace(std::string(symbol), lookUpThemeIcon(symbol)).first;
    }
    return found->second;
}

QPixmap tinted(const QPixmap& mask, const QColor& color)
{
    QPixmap result = mask;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(result.size()) / result.devicePixelRatio()), color);
    return result;
}

bool hasVisiblePixels(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

// Drawings in a 16-unit box, the grid the symbolic themes use.
void drawWarningTriangle(QPainter& p, const QColor& color)
{
    QPainterPath triangle;
    triangle.moveTo(8, 1.2);
    triangle.lineTo(15.2, 14.4);
    triangle.lineTo(0.8, 14.4);
    triangle.closeSubpath();
    QPainterPath mark;
    mark.addRoundedRect(QRectF(7.1, 5.0, 1.8, 5.4), 0.9, 0.9);
    mark.addEllipse(QRectF(7.0, 11.2, 2.0, 2.0));
    QPainterPathStroker rounder;
    rounder.setWidth(1.4);
    rounder.setJoinStyle(Qt::RoundJoin);
    p.fillPath((triangle + rounder.createStroke(triangle)) - mark, color);
}

void drawCheckmarkCircle(QPainter& p, const QColor& color)
{
    QPainterPath circle;
    circle.addEllipse(QRectF(1, 1, 14, 14));
    QPainterPath tick;
    tick.moveTo(4.6, 8.2);
    tick.lineTo(7.0, 10.6);
    tick.lineTo(11.4, 5.6);
    QPainterPathStroker stroker;
    stroker.setWidth(1.8);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    p.fillPath(circle - stroker.createStroke(tick), color);
}

void drawCheckmark(QPainter& p, const QColor& color)
{
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.2, 12.2);
    tick.lineTo(13.5, 3.8);
    QPen pen(color, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(tick, pen);
}

void drawGlobe(QPainter& p, const QColor& color)
{
    QPen pen(color, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawEllipse(QRectF(5.0, 1.5, 6, 13));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    QPainterPath upper;
    upper.moveTo(2.8, 4.8);
    upper.quadTo(8, 6.4, 13.2, 4.8);
    QPainterPath lower;
    lower.moveTo(2.8, 11.2);
    lower.quadTo(8, 9.6, 13.2, 11.2);
    p.drawPath(upper);
    p.drawPath(lower);
}

// A round body split down the middle with two spots on each wing, under a small head.
void drawLadybug(QPainter& p, const QColor& color)
{
    QPainterPath body;
    body.addEllipse(QRectF(2.5, 4.0, 11.0, 11.2));
    body.addEllipse(QRectF(5.2, 1.0, 5.6, 4.4));
    QPainterPath cuts;
    cuts.addRect(QRectF(7.5, 5.2, 1.0, 10.2));
    cuts.addRect(QRectF(4.0, 4.6, 8.0, 0.9));
    for (const QPointF& spot : {QPointF(5.3, 8.0), QPointF(10.7, 8.0), QPointF(5.6, 11.8), QPointF(10.4, 11.8)}) {
        cuts.addEllipse(spot, 1.1, 1.1);
    }
    p.fillPath(body - cuts, color);
}

// A round bulb on a narrowing neck over a screw base.
void drawLightbulb(QPainter& p, const QColor& color)
{
    QPainterPath bulb;
    bulb.addEllipse(QRectF(2.8, 0.8, 10.4, 10.4));
    QPainterPath neck;
    neck.moveTo(4.6, 8.6);
    neck.lineTo(11.4, 8.6);
    neck.lineTo(10.4, 12.0);
    neck.lineTo(5.6, 12.0);
    neck.closeSubpath();
    QPainterPath base;
    base.addRoundedRect(QRectF(5.6, 12.8, 4.8, 1.4), 0.6, 0.6);
    base.addRoundedRect(QRectF(6.4, 14.5, 3.2, 1.2), 0.6, 0.6);
    p.fillPath(bulb.united(neck) + base, color);
}

// Two speech bubbles, the right one in front with a gap cut around it.
void drawTwoBubbles(QPainter& p, const QColor& color)
{
    const auto bubble = [](const QRectF& box, bool tailLeft) {
        QPainterPath path;
        path.addRoundedRect(box, 2.6, 2.6);
        QPainterPath tail;
        const double x = tailLeft ? box.left() + 2.0 : box.right() - 2.0;
        tail.moveTo(x - 1.4, box.bottom() - 1.0);
        tail.lineTo(tailLeft ? x - 1.6 : x + 1.6, box.bottom() + 2.4);
        tail.lineTo(x + 1.6 * (tailLeft ? 1 : -1), box.bottom() - 1.0);
        tail.closeSubpath();
        return path.united(tail);
    };
    const QPainterPath back = bubble(QRectF(0.6, 1.4, 9.6, 7.2), true);
    const QPainterPath front = bubble(QRectF(5.8, 6.0, 9.6, 7.2), false);
    QPainterPathStroker gap;
    gap.setWidth(2.2);
    p.fillPath((back - (front + gap.createStroke(front))) + front, color);
}

} // namespace

QStringList TarnSymbolIcons::themeNames(std::string_view symbol)
{
    QStringList names;
    if (const SymbolRow* row = find(symbol)) {
        for (const char* name : row->themeNames) {
            names << QString::fromLatin1(name);
        }
    }
    return names;
}

bool TarnSymbolIcons::hasDrawing(std::string_view symbol)
{
    const SymbolRow* row = find(symbol);
    return row != nullptr && row->drawing != Drawing::none;
}

double TarnSymbolIcons::sideForText(const QFontMetricsF& metrics)
{
    return std::ceil(metrics.ascent());
}

double TarnSymbolIcons::labelWidth(const QFontMetricsF& metrics, std::string_view symbol, const QString& text)
{
    const double textWidth = metrics.horizontalAdvance(TarnTextStyles::oneLine(text));
    return symbol.empty() ? textWidth : sideForText(metrics) + kLabelGap + textWidth;
}

void TarnSymbolIcons::drawCentredLabel(QPainter& painter, const QRectF& area, std::string_view symbol,
    const QString& text, const QFontMetricsF& metrics, const QFont& font, const QColor& color)
{
    if (symbol.empty()) {
        TarnTextStyles::drawCentredLine(painter, area, text, metrics, font, color);
        return;
    }
    const double side = sideForText(metrics);
    const QString line = TarnTextStyles::singleLine(text, metrics, std::max(0.0, area.width() - side - kLabelGap));
    const double textWidth = metrics.horizontalAdvance(line);
    const double width = side + kLabelGap + textWidth;
    const double left = area.left() + std::max(0.0, (area.width() - width) / 2.0);
    // The symbol leads the text: on its right when the painter's direction is right to left.
    const bool rightToLeft = painter.layoutDirection() == Qt::RightToLeft;
    const double symbolLeft = rightToLeft ? left + textWidth + kLabelGap : left;
    const double textLeft = rightToLeft ? left : left + side + kLabelGap;
    paint(painter, QRectF(symbolLeft, area.center().y() - side / 2.0, side, side), symbol, color);
    TarnTextStyles::drawCentredLine(
        painter, QRectF(textLeft, area.top(), textWidth + 1, area.height()), line, metrics, font, color);
}

void TarnSymbolIcons::prepareIconTheme()
{
    static const bool prepared = [] {
        QStringList paths = QIcon::themeSearchPaths();
        QStringList folders = QStandardPaths::locateAll(
            QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory);
        folders.prepend(QDir::homePath() + QStringLiteral("/.icons"));
        for (const QString& folder : folders) {
            const QString clean = QDir::cleanPath(folder);
            if (QDir(clean).exists() && !paths.contains(clean) && !paths.contains(clean + QLatin1Char('/'))) {
                paths << clean;
            }
        }
        QIcon::setThemeSearchPaths(paths);
        // hicolor is the base every theme inherits; an empty theme name would make Qt skip the
        // fall-back theme altogether.
        if (QIcon::themeName().isEmpty()) {
            QIcon::setThemeName(QStringLiteral("hicolor"));
        }
        const QString fallback = QIcon::fallbackThemeName();
        if (fallback.isEmpty() || fallback == QLatin1String("hicolor")) {
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        }
        return true;
    }();
    (void)prepared;
}

QPixmap TarnSymbolIcons::pixmap(std::string_view symbol, double side, const QColor& color, qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int devicePixels = std::max(1, static_cast<int>(std::ceil(side * dpr)));
    const QIcon icon = themeIcon(symbol);
    if (!icon.isNull()) {
        QPixmap mask = icon.pixmap(QSize(devicePixels, devicePixels), 1.0);
        if (!mask.isNull() && hasVisiblePixels(mask)) {
            if (mask.width() != devicePixels || mask.height() != devicePixels) {
                mask = mask.scaled(devicePixels, devicePixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            mask.setDevicePixelRatio(dpr);
            return tinted(mask, color);
        }
    }
    QPixmap drawn(devicePixels, devicePixels);
    drawn.fill(Qt::transparent);
    drawn.setDevicePixelRatio(dpr);
    QPainter painter(&drawn);
    paintDrawing(painter, QRectF(0, 0, devicePixels / dpr, devicePixels / dpr), symbol, color);
    return drawn;
}

void TarnSymbolIcons::paint(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color)
{
    const double side = std::min(rect.width(), rect.height());
    if (side <= 0) {
        return;
    }
    const qreal dpr = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap image = pixmap(symbol, side, color, dpr);
    const QRectF target(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (painter.layoutDirection() == Qt::RightToLeft && pointsAlongTheText(symbol)) {
        painter.translate(target.center().x() * 2.0, 0.0);
        painter.scale(-1.0, 1.0);
    }
    painter.drawPixmap(target, image, QRectF(image.rect()));
    painter.restore();
}

void TarnSymbolIcons::paintDrawing(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color)
{
    const double side = std::min(rect.width(), rect.height());
    if (side <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0);
    painter.scale(side / 16.0, side / 16.0);
    const SymbolRow* row = find(symbol);
    if (row == nullptr || row->drawing == Drawing::none) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(3, 3, 10, 10));
    } else {
        switch (row->drawing) {
        case Drawing::none:
            break;
        case Drawing::warningTriangle:
            drawWarningTriangle(painter, color);
            break;
        case Drawing::checkmarkCircle:
            drawCheckmarkCircle(painter, color);
            break;
        case Drawing::checkmark:
            drawCheckmark(painter, color);
            break;
        case Drawing::globe:
            drawGlobe(painter, color);
            break;
        case Drawing::ladybug:
            drawLadybug(painter, color);
            break;
        case Drawing::lightbulb:
            drawLightbulb(painter, color);
            break;
        case Drawing::twoBubbles:
            drawTwoBubbles(painter, color);
            break;
        }
    }
    painter.restore();
}

} // namespace tarn
