#include "TarnKit/Emblems/TarnEmblemArtworkMedia.h"

#include <array>

#include "TarnKit/Emblems/TarnEmblemCanvas.h"
#include "TarnKit/Emblems/TarnEmblemGeometry.h"
#include "TarnKit/Emblems/TarnFlatDraw.h"

namespace tarn {

namespace {

using Canvas = TarnEmblemCanvas;
using P = QPointF;

constexpr std::size_t kFirstIndex = 27;

// Index 27: a picture with mountains and a sun.
void drawTarnPhotos(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 26, 56, 48, 8, t.primary());
    c.fill(Canvas::polygon({{28, 68}, {42, 45}, {56, 68}}), t.cutout(0.95));
    c.fill(Canvas::polygon({{47, 68}, {59, 52}, {72, 68}}), t.cutout(0.65));
    c.fillDisc(P(64, 38), 5, t.onPrimaryAccent());
}

// Index 28: a capture frame round a lens.
void drawTarnCapture(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.stroke(Canvas::polyline({{24, 37}, {24, 24}, {37, 24}}), 4.6, t.primary());
    c.stroke(Canvas::polyline({{63, 24}, {76, 24}, {76, 37}}), 4.6, t.primary());
    c.stroke(Canvas::polyline({{76, 63}, {76, 76}, {63, 76}}), 4.6, t.primary());
    c.stroke(Canvas::polyline({{37, 76}, {24, 76}, {24, 63}}), 4.6, t.primary());
    c.fillEllipse(36, 36, 28, 28, t.mid());
    c.fillEllipse(42.5, 42.5, 15, 15, t.highlight());
}

// Index 29: an aperture.
void drawTarnRecorder(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    c.fillDisc(centre, 26, t.primary());
    for (int i = 0; i < 6; ++i) {
        const double angle = radians(60.0 * i);
        c.strokeLine(onCircle(centre, 10.5, angle), onCircle(centre, 25.5, angle + radians(48)), 2.6, t.cutout(0.9));
    }
    c.fillDisc(centre, 9, t.cutout(0.9));
    c.fillDisc(centre, 4, t.accent());
}

// Index 31: a timeline with a playhead.
void drawTarnPaint(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(24, 30, 22, 10, 4, t.primary());
    c.fillRoundedRect(50, 30, 26, 10, 4, t.primaryAlpha(0.38));
    c.fillRoundedRect(24, 45, 30, 10, 4, t.primaryAlpha(0.32));
    c.fillRoundedRect(58, 45, 18, 10, 4, t.primary());
    c.fillRoundedRect(24, 63, 52, 5, 2.5, t.primaryAlpha(0.24));
    c.fillRoundedRect(53, 27, 4, 48, 2, t.highlight());
    c.fill(Canvas::polygon({{48, 21}, {62, 21}, {55, 29}}), t.highlight());
}

// Index 32: a player screen with a progress bar.
void drawTarnVector(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 25, 56, 48, 8, t.primary());
    c.fill(Canvas::polygon({{44, 34}, {44, 52}, {58, 43}}), t.cutout(0.95));
    c.fillRoundedRect(30, 60, 40, 4.5, 2.25, t.cutout(0.6));
    c.fillRoundedRect(30, 60, 22, 4.5, 2.25, t.onPrimaryAccent());
}

// Index 33: two turning arrows round a diamond.
void drawTarnVideo(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    const P centre(50, 50);
    c.stroke(Canvas::arc(centre, 24, radians(195), radians(330)), 5, t.primary());
    c.fill(arcArrowHead(centre, 24, radians(330), 6), t.primary());
    c.stroke(Canvas::arc(centre, 24, radians(15), radians(150)), 5, t.mid());
    c.fill(arcArrowHead(centre, 24, radians(150), 6), t.mid());
    c.fill(Canvas::polygon({{50, 40}, {60, 50}, {50, 60}, {40, 50}}), t.accent());
}

// Index 34: a written page.
void drawTarnPodcast(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    TarnFlatDraw::foldedSheet(c);
    c.fillRoundedRect(34, 46, 32, 4, 2, t.cutout(0.9));
    c.fillRoundedRect(34, 55, 32, 4, 2, t.cutout(0.75));
    c.fillRoundedRect(34, 64, 20, 4, 2, t.cutout(0.6));
}

// Index 35: an open book with a ribbon.
void drawTarnRadio(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 27, 27, 46, 5, t.primary());
    for (const double y : {37.0, 46.0, 55.0}) {
        c.fillRoundedRect(27, y, 17, 3.6, 1.8, t.cutout(y < 40 ? 0.9 : 0.7));
    }
    c.fillRoundedRect(51, 27, 27, 46, 5, t.mid());
    c.fill(Canvas::polygon({{63, 27}, {71, 27}, {71, 47}, {67, 43}, {63, 47}}), t.primary());
}

// Index 36: three mixer faders.
void drawTarnVolume(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    for (const double x : {29.8, 47.8, 65.8}) {
        c.fillRoundedRect(x, 25, 4.4, 50, 2.2, t.primaryAlpha(0.24));
    }
    c.fillRoundedRect(29.8, 42, 4.4, 33, 2.2, t.accent());
    c.fillRoundedRect(47.8, 57, 4.4, 18, 2.2, t.primaryAlpha(0.8));
    c.fillRoundedRect(65.8, 36, 4.4, 39, 2.2, t.accent());
    c.fillRoundedRect(25, 37.5, 14, 7.4, 2.6, t.primary());
    c.fillRoundedRect(43, 53.5, 14, 7.4, 2.6, t.primary());
    c.fillRoundedRect(61, 32, 14, 7.4, 2.6, t.primary());
}

// Index 37: two beamed notes.
void drawTarnTunes(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(37, 29, 5.5, 38, 2.75, t.primary());
    c.fillRoundedRect(65, 24, 5.5, 37, 2.75, t.primary());
    c.fill(Canvas::polygon({{37, 29}, {70.5, 22}, {70.5, 31}, {37, 38}}), t.accent());
    c.fillEllipse(24.7, 58.2, 17.6, 17.6, t.primary());
    c.fillEllipse(52.7, 52.2, 17.6, 17.6, t.primary());
}

// Index 38: a microphone.
void drawTarnStream(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(25, 33, 4, 14, 2, t.accent());
    c.fillRoundedRect(71, 33, 4, 14, 2, t.accent());
    c.stroke(Canvas::arc(P(50, 40), 16, radians(15), radians(165)), 4.2, t.mid());
    c.fillRoundedRect(41, 20, 18, 32, 9, t.primary());
    c.strokeLine(P(50, 57), P(50, 71), 4.2, t.primary());
    c.strokeLine(P(40, 74), P(60, 74), 4.2, t.primary());
}

// Index 39: a waveform with a playhead.
void drawTarnCast(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    constexpr std::array<double, 7> kHeights {14, 30, 46, 24, 38, 20, 12};
    for (std::size_t i = 0; i < kHeights.size(); ++i) {
        const double x = 23.4 + 8.2 * static_cast<double>(i);
        const double height = kHeights[i];
        c.fillRoundedRect(x, 50 - height / 2, 5.2, height, 2.6, i % 2 == 0 ? t.primary() : t.mid());
    }
    c.fillRoundedRect(60.7, 22, 1.8, 56, 0.9, t.highlight());
}

// Index 40: a curve with its handles.
void drawTarnGif(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.strokeLine(P(26, 68), P(74, 32), 2, t.mid());
    QPainterPath curve;
    curve.moveTo(26, 68);
    curve.cubicTo(48, 68, 52, 32, 74, 32);
    c.stroke(curve, 4.8, t.primary());
    c.fillDisc(P(44, 54.5), 3.4, t.accent());
    c.fillDisc(P(56, 45.5), 3.4, t.accent());
    c.fillRoundedRect(20.5, 62.5, 11, 11, 1.5, t.primary());
    c.fillRoundedRect(68.5, 26.5, 11, 11, 1.5, t.primary());
}

// Index 41: swatches under a pencil.
void drawTarnColor(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(22, 56, 16, 16, 3.5, t.mid());
    c.fillRoundedRect(42, 60, 16, 16, 3.5, t.accent());
    c.fillRoundedRect(62, 56, 16, 16, 3.5, t.mid());
    c.rotated(P(50, 42), [&] {
        c.separationGap(Canvas::roundedRect(-27.5, -7.5, 53, 15, 6));
        c.fillRoundedRect(-25, -5, 38, 10, 4, t.primary());
        c.fill(Canvas::polygon({{14, -5}, {24, 0}, {14, 5}}), t.primary());
        c.fillRoundedRect(-17, -5, 3, 10, 0, t.cutout(0.7));
    });
}

// Index 42: a camera.
void drawTarnFonts(Canvas& c)
{
    const TarnEmblemTone& t = c.tone();
    c.fillRoundedRect(38, 24, 24, 11, 4, t.mid());
    c.fillRoundedRect(22, 31, 56, 42, 8, t.primary());
    c.fillDisc(P(50, 52), 14, t.cutout(1));
    c.fillDisc(P(50, 52), 10, t.primary());
    c.fillDisc(P(50, 52), 3.5, t.onPrimaryAccent());
    c.fillDisc(P(68.5, 39), 2.8, t.onPrimaryAccent());
}

using Drawing = void (*)(Canvas&);

// Index 30 has no entry: the renderer draws the display itself.
constexpr std::array<Drawing, 16> kDrawings {drawTarnPhotos, drawTarnCapture, drawTarnRecorder, nullptr, drawTarnPaint,
    drawTarnVector, drawTarnVideo, drawTarnPodcast, drawTarnRadio, drawTarnVolume, drawTarnTunes, drawTarnStream,
    drawTarnCast, drawTarnGif, drawTarnColor, drawTarnFonts};

} // namespace

bool TarnEmblemArtworkMedia::draw(TarnAppIdentity identity, TarnEmblemCanvas& canvas)
{
    const std::size_t index = catalogIndex(identity);
    if (index < kFirstIndex || index >= kFirstIndex + kDrawings.size() || kDrawings[index - kFirstIndex] == nullptr) {
        return false;
    }
    kDrawings[index - kFirstIndex](canvas);
    return true;
}

} // namespace tarn
