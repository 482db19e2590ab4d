#include "TarnKit/Emblems/TarnEmblemArtworkProductivity.h"

#include <array>

#include "TarnKit/Emblems/TarnEmblemCanvas.h"
#include "TarnKit/Emblems/TarnEmblemGeometry.h"

namespace tarn {

namespace {

using Canvas = TarnEmblemCanvas;
using P = QPointF;

// Index 0: four tiles, two by two.
void drawTarnNotes(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 30, 24, 6, t.primary());
    c.fillRoundedRect(29.5, 34, 19, 4, 2, t.cutout(0.8));
    c.fillRoundedRect(58, 24, 18, 24, 6, t.accent());
    c.fillRoundedRect(24, 52, 18, 24, 6, t.mid());
    c.fillRoundedRect(46, 52, 30, 24, 6, t.mid());
    c.fillRoundedRect(51.5, 62, 19, 4, 2, t.cutout(0.6));
}

// Index 1: a written sheet before another, with an arrow badge.
void drawTarnWriter(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(36, 22, 38, 48, 6, t.mid());
    c.separationGap(Canvas::roundedRect(24.5, 28.5, 41, 51, 7.5));
    c.fillRoundedRect(26, 30, 38, 48, 6, t.primary());
    c.fillRoundedRect(32, 46, 25, 4, 2, t.cutout(0.85));
    c.fillRoundedRect(32, 56, 18, 4, 2, t.cutout(0.6));
    c.separationGap(Canvas::roundedRect(52, 17, 28, 24, 9));
    c.fillRoundedRect(54, 19, 24, 20, 7, t.accent());
    c.strokeLine(P(59.5, 29), P(71.5, 29), 2.6, t.cutout(1));
    c.stroke(Canvas::polyline({{67, 24.5}, {71.5, 29}, {67, 33.5}}), 2.6, t.cutout(1));
}

// Index 2: a target crossed out.
void drawTarnSheets(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillEllipse(25, 25, 50, 50, t.soft());
    c.stroke(Canvas::ellipse(25, 25, 50, 50), 4, t.primary());
    c.fillEllipse(37, 37, 26, 26, t.mid());
    c.fillDisc(P(50, 50), 5, t.primary());
    c.strokeLine(P(31, 69), P(69, 31), 8.6, t.cutout(1));
    c.strokeLine(P(31, 69), P(69, 31), 4.4, t.primary());
}

// Index 3: three layers growing towards the front.
void drawTarnSlides(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(38, 21, 24, 18, 5, t.primaryAlpha(0.28));
    c.separationGap(Canvas::roundedRect(29.5, 28.5, 41, 27, 7.5));
    c.fillRoundedRect(31, 30, 38, 24, 6, t.mid());
    c.separationGap(Canvas::roundedRect(22.5, 42.5, 55, 35, 8.5));
    c.fillRoundedRect(24, 44, 52, 32, 7, t.primary());
    c.fillRoundedRect(33, 57, 34, 5, 2.5, t.onPrimaryAccent());
}

// Index 4: a text field with a caret over two bars.
void drawTarnMail(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const QPainterPath field = Canvas::roundedRect(24, 24, 52, 28, 7);
    c.fill(field, t.soft());
    c.stroke(field, 3, t.primary());
    c.fillRoundedRect(31, 35, 22, 6, 3, t.primary());
    c.fillRoundedRect(57, 31, 3.4, 14, 1.7, t.accent());
    c.fillRoundedRect(24, 58, 52, 6, 3, t.primary());
    c.fillRoundedRect(24, 69, 36, 6, 3, t.mid());
    c.fillRoundedRect(63, 68, 13, 8, 3, t.accent());
}

// Index 5: a box, an arrow down, an open tray.
void drawTarnCalendar(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(38, 20, 24, 13, 4, t.mid());
    c.strokeLine(P(50, 37), P(50, 58), 4.2, t.highlight());
    c.stroke(Canvas::polyline({{42.5, 50.5}, {50, 58}, {57.5, 50.5}}), 4.2, t.highlight());
    c.stroke(Canvas::polyline({{26, 54}, {26, 76}, {74, 76}, {74, 54}}), 5.5, t.primary());
}

// Index 6: four outlined squares round a filled one.
void drawTarnTasks(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    for (const P corner : {P(23, 23), P(63, 23), P(23, 63), P(63, 63)}) {
        c.stroke(Canvas::roundedRect(corner.x(), corner.y(), 14, 14, 4), 4.6, t.primary());
    }
    const QPainterPath centre = Canvas::roundedRect(42, 42, 16, 16, 4);
    c.fill(centre, c.isWhiteGlass() ? t.mid() : t.accent());
    c.stroke(centre, 4.6, t.primary());
}

// Index 7: a clipboard.
void drawTarnContacts(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(27, 26, 46, 52, 7, t.primary());
    c.separationGap(Canvas::roundedRect(37, 18, 26, 14, 6));
    c.fillRoundedRect(39, 20, 22, 10, 4, t.accent());
    c.fillRoundedRect(45, 23.3, 10, 3.4, 1.7, t.cutout(1));
    c.fillRoundedRect(35, 42, 30, 4, 2, t.cutout(0.9));
    c.fillRoundedRect(35, 52, 25, 4, 2, t.cutout(0.7));
    c.fillRoundedRect(35, 62, 18, 4, 2, t.cutout(0.5));
}

// Index 8: a pad with lines and a block.
void drawTarnReader(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(26, 24, 48, 52, 8, t.primary());
    c.fillRoundedRect(33, 33, 34, 4, 2, t.cutout(0.9));
    c.fillRoundedRect(33, 42, 34, 4, 2, t.cutout(0.8));
    c.fillRoundedRect(33, 54, 15, 4, 2, t.cutout(0.6));
    c.fillRoundedRect(33, 63, 11, 4, 2, t.cutout(0.5));
    c.fillRoundedRect(54, 52, 13, 15, 3, t.onPrimaryAccent());
}

// Index 9: a note with a plus badge.
void drawTarnClip(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 23, 44, 48, 8, t.primary());
    c.fillRoundedRect(31, 32, 30, 4, 2, t.cutout(0.9));
    c.fillRoundedRect(31, 41, 26, 4, 2, t.cutout(0.75));
    c.fillRoundedRect(31, 50, 16, 4, 2, t.cutout(0.55));
    c.separationGap(Canvas::ellipse(50.5, 50.5, 29, 29));
    c.fillEllipse(53, 53, 24, 24, t.accent());
    c.strokeLine(P(65, 59.3), P(65, 70.7), 3.4, t.cutout(1));
    c.strokeLine(P(59.3, 65), P(70.7, 65), 3.4, t.cutout(1));
}

// Index 10: a magnifier.
void drawTarnSnippets(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.strokeLine(P(58, 57), P(74, 73), 7.5, t.primary());
    c.fillEllipse(24, 22, 40, 40, t.soft());
    c.stroke(Canvas::ellipse(24, 22, 40, 40), 5.5, t.primary());
    c.stroke(Canvas::arc(P(44, 42), 12, radians(195), radians(255)), 3, t.accent());
}

// Index 11: three nodes joined by curves.
void drawTarnPlanner(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    QPainterPath upper;
    upper.moveTo(36, 49);
    upper.cubicTo(50, 49, 52, 31, 64, 31);
    QPainterPath lower;
    lower.moveTo(36, 49);
    lower.cubicTo(50, 49, 52, 69, 64, 69);
    c.stroke(upper, 4, t.mid());
    c.stroke(lower, 4, t.mid());
    c.fillRoundedRect(22, 40, 18, 18, 6, t.primary());
    c.fillRoundedRect(60, 22, 18, 18, 6, t.accent());
    c.fillRoundedRect(60, 60, 18, 18, 6, t.primary());
}

// Index 12: three panels.
void drawTarnJournal(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 25, 52, 6, t.primary());
    c.fillRoundedRect(53, 24, 23, 24, 6, t.accent());
    c.fillRoundedRect(53, 52, 23, 24, 6, t.mid());
}

// Index 13: three stacked cards.
void drawTarnBoard(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(36, 20, 40, 30, 6, t.primaryAlpha(0.26));
    c.separationGap(Canvas::roundedRect(28.5, 28.5, 43, 33, 7.5));
    c.fillRoundedRect(30, 30, 40, 30, 6, t.mid());
    c.separationGap(Canvas::roundedRect(22.5, 38.5, 47, 37, 8.5));
    c.fillRoundedRect(24, 40, 44, 34, 7, t.primary());
    c.fillRoundedRect(30, 48, 20, 5, 2.5, t.onPrimaryAccent());
    c.fillRoundedRect(30, 60, 30, 4, 2, t.cutout(0.6));
}

// Index 14: a speech pill with three dots over two bars.
void drawTarnMind(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 52, 22, 11, t.primary());
    c.fill(Canvas::polygon({{43, 44}, {55, 44}, {47, 54}}), t.primary());
    c.fillDisc(P(37, 35), 3.6, t.cutout(0.9));
    c.fillDisc(P(50, 35), 3.6, t.onPrimaryAccent());
    c.fillDisc(P(63, 35), 3.6, t.cutout(0.9));
    c.fillRoundedRect(24, 61, 52, 6, 3, t.mid());
    c.fillRoundedRect(24, 71, 32, 6, 3, t.accent());
}

// Index 15: a screen with a notch.
void drawTarnDocs(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const QPainterPath screen = Canvas::roundedRect(24, 30, 52, 44, 7);
    c.fill(screen, t.soft());
    c.stroke(screen, 3.2, t.primary());
    c.fillRoundedRect(37, 24, 26, 13, 4, t.primary());
    c.fillDisc(P(43.5, 30.5), 2.5, t.onPrimaryAccent());
    c.fillRoundedRect(48, 29, 10, 3, 1.5, t.cutout(0.8));
    c.fillRoundedRect(33, 55, 34, 6, 3, t.mid());
}

// Index 16: a stopwatch with a progress arc from straight up, 125 degrees clockwise.
void drawTarnZen(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(43, 21, 14, 5.5, 2.75, t.primary());
    c.fillEllipse(27, 30, 46, 46, t.soft());
    c.stroke(Canvas::ellipse(27, 30, 46, 46), 4.8, t.mid());
    c.stroke(Canvas::arc(P(50, 53), 23, -1.570796, 0.610865), 5.2, t.highlight());
    c.strokeLine(P(50, 53), P(50, 39), 3.8, t.primary());
    c.strokeLine(P(50, 53), P(60, 58), 3.6, t.primary());
    c.fillEllipse(46.5, 49.5, 7, 7, t.accent());
}

// Index 17: two stacked cards with a checklist and a check badge.
void drawTarnDock(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(29, 21, 48, 52, 8, t.mid());
    c.separationGap(Canvas::roundedRect(21, 27, 50, 52, 9));
    c.fillRoundedRect(22, 28, 48, 50, 8, t.primary());
    c.fillEllipse(28.6, 36.6, 6.8, 6.8, t.onPrimaryAccent());
    c.fillRoundedRect(39, 38, 23, 4, 2, t.cutout(0.88));
    c.fillEllipse(28.6, 49.6, 6.8, 6.8, t.cutout(0.75));
    c.fillRoundedRect(39, 51, 19, 4, 2, t.cutout(0.72));
    c.fillEllipse(28.6, 62.6, 6.8, 6.8, t.cutout(0.55));
    c.fillRoundedRect(39, 64, 13, 4, 2, t.cutout(0.55));
    c.separationGap(Canvas::ellipse(54.5, 52.5, 29, 29));
    c.fillEllipse(56.8, 54.8, 24.4, 24.4, t.accent());
    c.stroke(Canvas::polyline({{63.5, 67.2}, {67.4, 71.2}, {75.2, 62.8}}), 3.4, t.cutout(1));
}

// Index 18: a steaming cup.
void drawTarnFocus(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    for (const double x : {38.0, 48.0, 58.0}) {
        c.strokeLine(P(x, 21), P(x, 29), 3.6, t.accent());
    }
    c.stroke(Canvas::ellipse(57, 42, 16, 15), 4.2, t.primary());
    QPainterPath cup;
    cup.moveTo(27, 36);
    cup.lineTo(65, 36);
    cup.lineTo(63, 58);
    cup.cubicTo(62.4, 64, 58, 68, 52, 68);
    cup.lineTo(40, 68);
    cup.cubicTo(34, 68, 29.6, 64, 29, 58);
    cup.closeSubpath();
    c.fill(cup, t.primary());
    c.fillRoundedRect(22, 72, 56, 5, 2.5, t.mid());
}

// Index 19: two switches, one on and one off.
void drawTarnHabit(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 26, 52, 22, 11, t.primary());
    c.fillDisc(P(65, 37), 8.5, t.cutout(1));
    c.fillDisc(P(65, 37), 6, t.accent());
    c.fillRoundedRect(24, 54, 52, 22, 11, t.primaryAlpha(0.32));
    c.fillDisc(P(35, 65), 7, t.cutout(0.9));
}

// Index 20: crossed tools.
void drawTarnTimesheet(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.strokeLine(P(31, 31), P(68, 68), 6.5, t.accent());
    c.fillDisc(P(29, 29), 5.5, t.accent());
    c.strokeLine(P(30, 70), P(60, 40), 11, t.cutout(1));
    c.strokeLine(P(30, 70), P(60, 40), 7.8, t.primary());
    c.fillDisc(P(63, 37), 10, t.primary());
    c.rotated(P(63, 37), [&] { c.fillRoundedRect(-2, -11, 4, 9, 1, t.cutout(1)); });
}

// Index 21: a circular arrow round an arrow up.
void drawTarnForms(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    const double start = radians(-40);
    const double end = radians(222);
    c.stroke(Canvas::arc(centre, 24, start, end), 5.2, t.primary());
    c.fill(arcArrowHead(centre, 24, end, 6.5), t.primary());
    c.strokeLine(P(50, 62), P(50, 40), 5, t.accent());
    c.stroke(Canvas::polyline({{43, 47}, {50, 40}, {57, 47}}), 5, t.accent());
}

// Index 22: three bands behind a strip with a pull tab.
void drawTarnScan(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 26, 52, 12, 4, t.primary());
    c.fillRoundedRect(24, 44, 52, 12, 4, t.mid());
    c.fillRoundedRect(24, 62, 52, 12, 4, t.primary());
    c.separationGap(Canvas::roundedRect(53, 19, 16, 62, 6));
    c.fillRoundedRect(55, 21, 12, 58, 5, t.accent());
    c.fillRoundedRect(58, 44, 6, 12, 3, t.cutout(0.9));
}

// Index 23: six spokes to alternating nodes.
void drawTarnSign(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    for (int i = 0; i < 6; ++i) {
        c.strokeLine(centre, onCircle(centre, 23.5, radians(-90 + 60 * i)), 3, t.mid());
    }
    for (int i = 0; i < 6; ++i) {
        c.fillDisc(onCircle(centre, 23.5, radians(-90 + 60 * i)), 5.5, i % 2 == 0 ? t.primary() : t.accent());
    }
    c.fillDisc(centre, 7.5, t.primary());
    c.fillDisc(centre, 2.6, t.cutout(1));
}

// Index 24: a letter behind an envelope.
void drawTarnTranslate(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(34, 22, 34, 30, 5, t.mid());
    c.separationGap(Canvas::roundedRect(22.5, 34.5, 55, 41, 8.5));
    c.fillRoundedRect(24, 36, 52, 38, 7, t.primary());
    c.stroke(Canvas::polyline({{29, 42}, {50, 57}, {71, 42}}), 3.6, t.cutout(0.9));
}

// Index 25: a grid under a header band.
void drawTarnDictate(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 24, 52, 14, 5, t.primary());
    c.fillRoundedRect(24, 42, 25, 16, 4, t.mid());
    c.fillRoundedRect(51, 42, 25, 16, 4, t.accent());
    c.fillRoundedRect(24, 61, 25, 16, 4, t.primaryAlpha(0.28));
    c.fillRoundedRect(51, 61, 25, 16, 4, t.mid());
}

// Index 26: a folder of two panels.
void drawTarnLauncher(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 25, 22, 10, 4, t.mid());
    c.fillRoundedRect(24, 30, 52, 44, 7, t.mid());
    c.fillRoundedRect(24, 38, 25, 36, 6, t.primary());
    c.fillRoundedRect(51, 38, 25, 36, 6, t.primaryAlpha(0.75));
    c.fillRoundedRect(56, 46, 15, 5, 2.5, t.onPrimaryAccent());
    c.fillRoundedRect(56, 57, 15, 4, 2, t.cutout(0.6));
}

using Drawing = void (*)(Canvas&);

constexpr std::array<Drawing, 27> kDrawings {drawTarnNotes, drawTarnWriter, drawTarnSheets, drawTarnSlides,
    drawTarnMail, drawTarnCalendar, drawTarnTasks, drawTarnContacts, drawTarnReader, drawTarnClip, drawTarnSnippets,
    drawTarnPlanner, drawTarnJournal, drawTarnBoard, drawTarnMind, drawTarnDocs, drawTarnZen, drawTarnDock,
    drawTarnFocus, drawTarnHabit, drawTarnTimesheet, drawTarnForms, drawTarnScan, drawTarnSign, drawTarnTranslate,
    drawTarnDictate, drawTarnLauncher};

} // namespace

bool TarnEmblemArtworkProductivity::draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas)
{
    const std::size_t index = catalogIndex(identity);
    if (index >= kDrawings.size()) {
        return false;
    }
    kDrawings[index](canvas);
    return true;
}

} // namespace tarn
