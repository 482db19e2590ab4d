#include "TarnKit/Emblems/TarnEmblemArtworkSystemNet.h"

#include <array>

#include "TarnKit/Emblems/TarnEmblemCanvas.h"
#include "TarnKit/Emblems/TarnEmblemGeometry.h"
#include "TarnKit/Emblems/TarnFlatDraw.h"

namespace tarn {

namespace {

using Canvas = TarnEmblemCanvas;
using P = QPointF;

constexpr std::size_t kFirstIndex = 43;

// A whole shield, for the emblems that do not split it.
QPainterPath shield()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(50, 22);
    path.lineTo(74, 30);
    path.cubicTo(74, 52, 65, 68, 50, 78);
    path.cubicTo(35, 68, 26, 52, 26, 30);
    path.closeSubpath();
    return path;
}

void arrowDown(Canvas& c, double x, double top, double bottom, double width, const TarnFlatPaint& paint)
{
    c.strokeLine(P(x, top), P(x, bottom), width, paint);
    c.stroke(Canvas::polyline({{x - 7, bottom - 7}, {x, bottom}, {x + 7, bottom - 7}}), width, paint);
}

void arrowUp(Canvas& c, double x, double bottom, double top, double width, const TarnFlatPaint& paint)
{
    c.strokeLine(P(x, bottom), P(x, top), width, paint);
    c.stroke(Canvas::polyline({{x - 7, top + 7}, {x, top}, {x + 7, top + 7}}), width, paint);
}

// Index 43: a broken ring round a diamond.
void drawTarnCleaner(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    c.stroke(Canvas::arc(centre, 24, radians(140), radians(390)), 5.5, t.primary());
    c.stroke(Canvas::arc(centre, 24, radians(55), radians(110)), 5.5, t.accent());
    c.fill(Canvas::polygon({{50, 37}, {63, 50}, {50, 63}, {37, 50}}), t.primary());
    c.fill(Canvas::polygon({{50, 45}, {55, 50}, {50, 55}, {45, 50}}), t.cutout(0.9));
}

// Index 44: a memory chip; the pins go first so the body covers their inner ends.
void drawTarnMemory(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    for (const double p : {38.0, 50.0, 62.0}) {
        c.strokeLine(P(p, 22), P(p, 30), 3.8, t.mid());
        c.strokeLine(P(p, 70), P(p, 78), 3.8, t.mid());
        c.strokeLine(P(22, p), P(30, p), 3.8, t.mid());
        c.strokeLine(P(70, p), P(78, p), 3.8, t.mid());
    }
    c.fillRoundedRect(30, 30, 40, 40, 8, t.primary());
    c.fillRoundedRect(40.5, 40.5, 19, 19, 4.5, t.onPrimaryAccent());
}

// Index 45: a dial with a pulse trace.
void drawTarnSensors(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillEllipse(24.5, 24.5, 51, 51, t.soft());
    c.stroke(Canvas::ellipse(24.5, 24.5, 51, 51), 4.2, t.primary());
    c.stroke(Canvas::polyline({{27, 52}, {37, 52}, {43, 36}, {51, 63}, {57, 45}, {62, 52}, {73, 52}}), 4, t.primary());
    c.fillEllipse(39.8, 32.8, 6.4, 6.4, t.accent());
}

// Index 46: a stop sign with a cross.
void drawTarnReaper(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fill(
        Canvas::polygon({{39, 23}, {61, 23}, {77, 39}, {77, 61}, {61, 77}, {39, 77}, {23, 61}, {23, 39}}), t.primary());
    c.strokeLine(P(40, 40), P(60, 60), 5.8, t.cutout(1));
    c.strokeLine(P(60, 40), P(40, 60), 5.8, t.cutout(1));
}

// Index 47: a battery with a bolt.
void drawTarnBattery(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const QPainterPath body = Canvas::roundedRect(22, 33, 50, 34, 7);
    c.fill(body, t.soft());
    c.stroke(body, 3.5, t.primary());
    c.fillRoundedRect(74, 43, 5, 14, 2, t.primary());
    c.fill(Canvas::polygon({{51, 36}, {38, 53}, {47, 53}, {43, 64}, {57, 46}, {48, 46}, {53, 36}}), t.highlight());
}

// Index 48: a screen with a lens before a panel.
void drawTarnDisk(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(34, 22, 42, 32, 6, t.mid());
    c.separationGap(Canvas::roundedRect(20.5, 30.5, 49, 39, 8.5));
    c.fillRoundedRect(22, 32, 46, 36, 7, t.primary());
    c.fillDisc(P(45, 50), 8, t.cutout(1));
    c.fillDisc(P(45, 50), 3.5, t.accent());
    c.fillRoundedRect(35, 72, 20, 4, 2, t.primaryAlpha(0.8));
}

// Index 49, this program: a mouse with two signal waves to its right.
void drawTarnInput(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(31, 23, 32, 52, 16, t.primary());
    c.fillRoundedRect(44.5, 31, 5, 12, 2.5, t.onPrimaryAccent());
    c.strokeLine(P(31, 45), P(63, 45), 2.2, t.cutout(0.5));
    c.stroke(Canvas::arc(P(64, 49), 9, -0.733038, 0.733038), 3.4, t.accent());
    c.stroke(Canvas::arc(P(64, 49), 15, -0.733038, 0.733038), 3.4, t.mid());
}

// Index 50: four tiles, one marked.
void drawTarnKeys(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 24, 24, 6, t.primary());
    c.fillRoundedRect(30, 34, 12, 4, 2, t.cutout(0.8));
    c.fillRoundedRect(52, 24, 24, 24, 6, t.primaryAlpha(0.36));
    c.fillRoundedRect(24, 52, 24, 24, 6, t.primaryAlpha(0.36));
    c.fillRoundedRect(52, 52, 24, 24, 6, t.accentAlpha(0.95));
    c.fillDisc(P(64, 64), 4, t.cutout(0.9));
}

// Index 51: a display with two arrows.
void drawTarnWindows(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    TarnFlatDraw::displayFrame(c);
    c.strokeLine(P(36, 38), P(62, 38), 3.4, t.primary());
    c.stroke(Canvas::polyline({{56, 33}, {62, 38}, {56, 43}}), 3.4, t.primary());
    c.strokeLine(P(64, 51), P(38, 51), 3.4, t.accent());
    c.stroke(Canvas::polyline({{44, 46}, {38, 51}, {44, 56}}), 3.4, t.accent());
}

// Index 52: a device sending to the right.
void drawTarnNetwork(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 22, 24, 56, 7, t.primary());
    c.fillRoundedRect(31, 29, 10, 3.5, 1.75, t.cutout(0.8));
    c.stroke(Canvas::arc(P(52, 50), 7, radians(-50), radians(50)), 3.4, t.accent());
    c.stroke(Canvas::arc(P(52, 50), 13.5, radians(-50), radians(50)), 3.4, t.accent());
    c.fillRoundedRect(70, 28, 6, 44, 3, t.mid());
}

// Index 53: quarter arcs about a corner.
void drawTarnFirewall(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(30, 70);
    c.stroke(Canvas::arc(centre, 38, radians(-90), 0), 5, t.mid());
    c.stroke(Canvas::arc(centre, 27, radians(-90), 0), 5, t.primary());
    c.stroke(Canvas::arc(centre, 16, radians(-90), 0), 5, t.accent());
    c.fillDisc(centre, 5, t.primary());
}

// Index 54: a mast sending both ways.
void drawTarnTunnel(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P top(50, 40);
    for (const double side : {0.0, 180.0}) {
        c.stroke(Canvas::arc(top, 11, radians(side - 40), radians(side + 40)), 4, t.accent());
        c.stroke(Canvas::arc(top, 19, radians(side - 40), radians(side + 40)), 4, t.mid());
    }
    c.strokeLine(P(50, 46), P(50, 74), 5, t.primary());
    c.strokeLine(P(39, 76), P(61, 76), 5, t.primary());
    c.fillDisc(top, 5, t.primary());
}

// Index 55: a shield with a bar and a centre disc.
void drawTarnSpeed(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    TarnFlatDraw::splitShield(c);
    c.fillRoundedRect(33, 46, 34, 4, 2, t.cutout(0.9));
    c.fillDisc(P(33, 48), 3.5, t.cutout(0.9));
    c.fillDisc(P(67, 48), 3.5, t.cutout(0.9));
    c.fillDisc(P(50, 48), 8, t.cutout(1));
    c.fillDisc(P(50, 48), 4, t.accent());
}

// Index 56: a globe with a badge.
void drawTarnPing(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillEllipse(23, 23, 46, 46, t.soft());
    c.stroke(Canvas::ellipse(23, 23, 46, 46), 3.5, t.primary());
    c.strokeLine(P(24, 46), P(68, 46), 3, t.primary());
    c.stroke(Canvas::ellipse(37, 23, 18, 46), 3, t.primary());
    c.separationGap(Canvas::polygon({{66, 50}, {82, 66}, {66, 82}, {50, 66}}));
    c.fill(Canvas::polygon({{66, 53}, {79, 66}, {66, 79}, {53, 66}}), t.accent());
    c.fillDisc(P(66, 66), 2.8, t.cutout(1));
}

// Index 57: a shield with two rings.
void drawTarnWifi(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fill(shield(), t.primary());
    c.stroke(Canvas::ellipse(36, 34, 28, 28), 3, t.cutout(0.8));
    c.stroke(Canvas::ellipse(42.5, 40.5, 15, 15), 3, t.cutout(0.6));
    c.fillDisc(P(50, 48), 3, t.onPrimaryAccent());
}

// Index 58: an arrow down into a tray.
void drawTarnBluetooth(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.stroke(Canvas::polyline({{43, 22}, {50, 27}, {57, 22}}), 4, t.accent());
    arrowDown(c, 50, 33, 62, 5.5, t.primary());
    c.fillRoundedRect(26, 70, 48, 6, 3, t.mid());
}

// Index 59: arrows down and up in a disc.
void drawTarnBackup(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillEllipse(24, 24, 52, 52, t.soft());
    c.stroke(Canvas::ellipse(24, 24, 52, 52), 3.5, t.primary());
    arrowDown(c, 41, 36, 63, 4.5, t.primary());
    arrowUp(c, 59, 64, 37, 4.5, t.accent());
}

// Index 60: a paper plane.
void drawTarnSync(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fill(Canvas::polygon({{22, 46}, {78, 24}, {46, 56}}), t.primary());
    c.fill(Canvas::polygon({{46, 56}, {78, 24}, {57, 76}}), t.mid());
    c.strokeLine(P(47, 55), P(75, 27), 2, t.cutout(0.8));
    c.strokeLine(P(22, 66), P(32, 62), 3.4, t.accent());
    c.strokeLine(P(27, 75), P(37, 71), 3.4, t.accent());
}

// Index 61: a terminal window.
void drawTarnVault(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const QPainterPath window = Canvas::roundedRect(22, 26, 56, 48, 7);
    c.fill(window, t.soft());
    c.stroke(window, 1.6, t.stroke());
    c.stroke(Canvas::polyline({{32, 40}, {41, 49}, {32, 58}}), 4.6, t.primary());
    c.fillRoundedRect(46, 56, 18, 5, 2.5, t.accent());
}

// Index 62: three stacked slabs.
void drawTarnArchive(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 52, 15, 5, t.primary());
    c.fillRoundedRect(24, 42.5, 52, 15, 5, t.mid());
    c.fillRoundedRect(24, 61, 52, 15, 5, t.primary());
    c.fillDisc(P(32, 31.5), 2.6, t.cutout(0.9));
    c.fillDisc(P(32, 50), 2.6, t.cutout(0.9));
    c.fillRoundedRect(30, 66.5, 24, 4, 2, t.onPrimaryAccent());
}

// Index 63: two servers under two arcs.
void drawTarnFiles(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.stroke(Canvas::arc(P(50, 40), 9, radians(205), radians(335)), 3.4, t.accent());
    c.stroke(Canvas::arc(P(50, 40), 16, radians(210), radians(330)), 3.4, t.mid());
    c.fillRoundedRect(24, 44, 52, 14, 5, t.primary());
    c.fillDisc(P(31, 51), 2.6, t.onPrimaryAccent());
    c.fillRoundedRect(50, 49.5, 20, 3, 1.5, t.cutout(0.8));
    c.fillRoundedRect(24, 61, 52, 14, 5, t.mid());
    c.fillDisc(P(31, 68), 2.6, t.accent());
    c.fillRoundedRect(50, 66.5, 20, 3, 1.5, t.cutout(0.6));
}

// Index 64: a shield with a keyhole.
void drawTarnTerminal(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    TarnFlatDraw::splitShield(c);
    c.fillDisc(P(50, 44), 7.5, t.cutout(1));
    c.fill(Canvas::polygon({{46.5, 48}, {53.5, 48}, {55, 64}, {45, 64}}), t.cutout(1));
    c.fillDisc(P(50, 44), 3, t.accent());
}

// Index 65: an isometric cube.
void drawTarnMonitor(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fill(Canvas::polygon({{50, 22}, {74, 35}, {50, 48}, {26, 35}}), t.primary());
    c.fill(Canvas::polygon({{26, 38}, {48.5, 50.5}, {48.5, 78}, {26, 65.5}}), t.primaryAlpha(0.5));
    c.fill(Canvas::polygon({{51.5, 50.5}, {74, 38}, {74, 65.5}, {51.5, 78}}), t.accentAlpha(0.92));
    c.strokeLine(P(56, 57), P(69, 50), 2.4, t.cutout(0.8));
    c.strokeLine(P(56, 65), P(69, 58), 2.4, t.cutout(0.6));
}

// Index 66: a drive.
void drawTarnUpdater(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 30, 56, 40, 9, t.primary());
    c.fill(Canvas::polygon({{30, 60}, {38, 45}, {46, 60}}), t.cutout(0.9));
    c.fillRoundedRect(52, 40, 18, 4, 2, t.cutout(0.8));
    c.fillRoundedRect(52, 52, 11, 5, 2.5, t.onPrimaryAccent());
    c.fillDisc(P(69, 60), 2.8, t.cutout(0.9));
}

// Index 67: a branch graph.
void drawTarnFan(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.strokeLine(P(34, 26), P(34, 74), 4.5, t.primary());
    QPainterPath branch;
    branch.moveTo(34, 64);
    branch.cubicTo(34, 48, 64, 52, 64, 34);
    c.stroke(branch, 4.5, t.accent());
    const std::array<std::pair<P, TarnFlatPaint>, 3> nodes {
        {{P(34, 27), t.primary()}, {P(34, 73), t.primary()}, {P(64, 31), t.accent()}}};
    for (const auto& [centre, paint] : nodes) {
        c.fillDisc(centre, 7, paint);
        c.fillDisc(centre, 2.8, t.cutout(1));
    }
}

// Index 68: a brick wall shield.
void drawTarnPower(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fill(shield(), t.primary());
    c.strokeLine(P(30, 38), P(70, 38), 2.6, t.cutout(0.8));
    c.strokeLine(P(31, 50), P(69, 50), 2.6, t.cutout(0.8));
    c.strokeLine(P(37, 62), P(63, 62), 2.6, t.cutout(0.8));
    c.strokeLine(P(42, 38), P(42, 50), 2.6, t.cutout(0.8));
    c.strokeLine(P(58, 38), P(58, 50), 2.6, t.cutout(0.8));
    c.strokeLine(P(38, 50), P(38, 62), 2.6, t.cutout(0.8));
    c.strokeLine(P(62, 50), P(62, 62), 2.6, t.cutout(0.8));
    c.fillRoundedRect(45, 52.5, 10, 7, 1.5, c.isWhiteGlass() ? TarnFlatPaint::cutout(0.5) : t.accent());
}

// Index 69: a screen with a framed square before a slab.
void drawTarnDns(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(32, 22, 44, 32, 6, t.mid());
    c.separationGap(Canvas::roundedRect(20.5, 32.5, 49, 41, 8.5));
    c.fillRoundedRect(22, 34, 46, 38, 7, t.primary());
    c.fillRoundedRect(36, 44, 18, 18, 3, t.cutout(1));
    c.fillRoundedRect(40.5, 48.5, 9, 9, 2, t.accent());
}

// Index 70: a phone before a panel.
void drawTarnShare(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(44, 26, 32, 44, 6, t.mid());
    c.separationGap(Canvas::roundedRect(24.5, 20.5, 31, 59, 8.5));
    c.fillRoundedRect(26, 22, 28, 56, 7, t.primary());
    c.fillRoundedRect(35, 27, 10, 3, 1.5, t.cutout(0.8));
    c.fillDisc(P(40, 65), 5.5, t.cutout(1));
    c.fillDisc(P(40, 65), 2.5, t.accent());
}

// Index 71: a life ring.
void drawTarnServer(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    c.stroke(Canvas::ellipse(31, 31, 38, 38), 10.5, t.primary());
    const TarnFlatPaint segment = c.isWhiteGlass() ? TarnFlatPaint::cutout(0.62) : t.accent();
    for (const double angle : {-90.0, 0.0, 90.0, 180.0}) {
        c.stroke(Canvas::arc(centre, 19, radians(angle - 11), radians(angle + 11)), 11, segment);
    }
}

// Index 72: a body with a ring and a pulse.
void drawTarnLogs(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 26, 56, 48, 9, t.primary());
    c.stroke(Canvas::ellipse(30, 35, 16, 16), 3, t.cutout(0.85));
    c.stroke(Canvas::polyline({{50, 45}, {55, 45}, {59, 37}, {64, 53}, {68, 45}, {72, 45}}), 2.6, t.cutout(0.85));
    c.fillRoundedRect(30, 61, 26, 5, 2.5, t.onPrimaryAccent());
    c.fillDisc(P(67, 63.5), 2.8, t.cutout(0.9));
}

// Index 73: a shield with a diamond.
void drawTarnClock(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    TarnFlatDraw::splitShield(c);
    c.fill(Canvas::polygon({{50, 37}, {58.5, 48}, {50, 59}, {41.5, 48}}), t.onPrimaryAccent());
}

// Index 74: a shield with a turning clock.
void drawTarnMenu(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 48);
    c.fill(shield(), t.primary());
    c.stroke(Canvas::arc(centre, 14, radians(-50), radians(215)), 3, t.cutout(0.9));
    c.fill(arcArrowHead(centre, 14, radians(215), 4.5), t.cutout(0.9));
    c.strokeLine(centre, P(50, 40), 2.6, t.cutout(0.9));
    c.strokeLine(centre, P(56, 51.5), 2.6, t.cutout(0.9));
    c.fillDisc(centre, 2.6, t.accent());
}

using Drawing = void (*)(Canvas&);

constexpr std::array<Drawing, 32> kDrawings {drawTarnCleaner, drawTarnMemory, drawTarnSensors, drawTarnReaper,
    drawTarnBattery, drawTarnDisk, drawTarnInput, drawTarnKeys, drawTarnWindows, drawTarnNetwork, drawTarnFirewall,
    drawTarnTunnel, drawTarnSpeed, drawTarnPing, drawTarnWifi, drawTarnBluetooth, drawTarnBackup, drawTarnSync,
    drawTarnVault, drawTarnArchive, drawTarnFiles, drawTarnTerminal, drawTarnMonitor, drawTarnUpdater, drawTarnFan,
    drawTarnPower, drawTarnDns, drawTarnShare, drawTarnServer, drawTarnLogs, drawTarnClock, drawTarnMenu};

} // namespace

bool TarnEmblemArtworkSystemNet::draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas)
{
    const std::size_t index = catalogIndex(identity);
    if (index < kFirstIndex || index >= kFirstIndex + kDrawings.size()) {
        return false;
    }
    kDrawings[index - kFirstIndex](canvas);
    return true;
}

} // namespace tarn
