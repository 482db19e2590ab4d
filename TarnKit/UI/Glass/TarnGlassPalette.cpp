#include "TarnKit/UI/Glass/TarnGlassPalette.h"

#include <QApplication>

#include "TarnKit/UI/Glass/TarnGlassStyle.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {

namespace {

// The glass surfaces are translucent over a dark ground; standard controls need opaque colours,
// so these are the surfaces as they look over that ground.
const QColor kGround(0x12, 0x15, 0x1D);
const QColor kField(0x23, 0x28, 0x35);
const QColor kRaised(0x2B, 0x31, 0x40);
const QColor kPopup(0x1B, 0x1F, 0x2A);

} // namespace

QPalette TarnGlassPalette::palette(const QColor& accent)
{
    const QColor text = TarnGlassTokens::textPrimary().toRgb();
    QColor opaqueText = text;
    opaqueText.setAlpha(255);
    QColor muted(0x8A, 0x90, 0x9E);

    QPalette palette;
    palette.setColor(QPalette::Window, kGround);
    palette.setColor(QPalette::WindowText, opaqueText);
    palette.setColor(QPalette::Base, kField);
    palette.setColor(QPalette::AlternateBase, kRaised);
    palette.setColor(QPalette::Text, opaqueText);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Button, kRaised);
    palette.setColor(QPalette::ButtonText, opaqueText);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, kPopup);
    palette.setColor(QPalette::ToolTipText, opaqueText);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, accent.lighter(130));
    // Fusion's bevels and frames.
    palette.setColor(QPalette::Light, kRaised.lighter(130));
    palette.setColor(QPalette::Midlight, kRaised.lighter(115));
    palette.setColor(QPalette::Mid, kRaised.darker(120));
    palette.setColor(QPalette::Dark, kGround.darker(130));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, muted);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, kGround);
    palette.setColor(QPalette::Disabled, QPalette::Button, kField);
    return palette;
}

void TarnGlassPalette::apply(QApplication& application, const QColor& accent)
{
    QApplication::setStyle(new TarnGlassStyle);
    application.setPalette(palette(accent));
}

} // namespace tarn
