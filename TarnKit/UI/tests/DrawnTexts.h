#pragma once

// What a widget's own painting draws as text, for tests that check how texts are laid out: each
// text item (one run of one direction and font) with the line it takes and the part of the
// widget where it can be seen, in the painter's coordinates. Nothing is drawn anywhere.

#include <algorithm>
#include <vector>

#include <QGraphicsEffect>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

namespace tarn::texttest {

struct DrawnText {
    QString text;
    QRectF line;
    QRectF visible;
    bool rightToLeft = false;
};

// Draws nothing: notes each text drawn, where its line lies and the area it may be seen in, all
// in the painter's coordinates.
class TextRecordingEngine : public QPaintEngine {
public:
    TextRecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    bool begin(QPaintDevice* /*device*/) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& /*state*/) override { }
    void drawPixmap(const QRectF& /*r*/, const QPixmap& /*pm*/, const QRectF& /*sr*/) override { }
    void drawPath(const QPainterPath& /*path*/) override { }
    void drawPolygon(const QPointF* /*points*/, int /*count*/, PolygonDrawMode /*mode*/) override { }
    void drawImage(
        const QRectF& /*r*/, const QImage& /*image*/, const QRectF& /*sr*/, Qt::ImageConversionFlags /*flags*/) override
    {
    }
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& origin, const QTextItem& item) override
    {
        QRectF visible = painter()->transform().inverted().mapRect(QRectF(QPointF(), m_deviceSize));
        if (painter()->hasClipping()) {
            visible &= painter()->clipBoundingRect();
        }
        drawn.push_back(
            {item.text(), QRectF(origin.x(), origin.y() - item.ascent(), item.width(), item.ascent() + item.descent()),
                visible, item.renderFlags().testFlag(QTextItem::RightToLeft)});
    }

    void setDeviceSize(QSizeF size) { m_deviceSize = size; }

    std::vector<DrawnText> drawn;

private:
    QSizeF m_deviceSize;
};

// A widget's painting on the recording engine, at the widget's size and font resolution: its own
// alone, or with its children's when asked (QWidget::DrawChildren).
class TextRecorder : public QPaintDevice {
public:
    explicit TextRecorder(const QWidget& widget)
        : m_widget(widget)
    {
        m_engine.setDeviceSize(widget.size());
    }

    std::vector<DrawnText> record(QWidget::RenderFlags flags = QWidget::RenderFlags())
    {
        m_engine.drawn.clear();
        // An effect would paint the widget into a picture first, out of the engine's sight.
        QGraphicsEffect* effect = m_widget.graphicsEffect();
        const bool withEffect = effect != nullptr && effect->isEnabled();
        if (withEffect) {
            effect->setEnabled(false);
        }
        {
            // Painters on a widget take its direction; this one is handed to the widget's
            // painting, so it has to be told.
            QPainter painter(this);
            painter.setLayoutDirection(m_widget.layoutDirection());
            const_cast<QWidget&>(m_widget).render(&painter, QPoint(), QRegion(), flags);
        }
        if (withEffect) {
            effect->setEnabled(true);
        }
        return m_engine.drawn;
    }

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_widget.width();
        case PdmHeight:
            return m_widget.height();
        case PdmWidthMM:
            return m_widget.widthMM();
        case PdmHeightMM:
            return m_widget.heightMM();
        case PdmNumColors:
            return m_widget.colorCount();
        case PdmDepth:
            return m_widget.depth();
        case PdmDpiX:
            return m_widget.logicalDpiX();
        case PdmDpiY:
            return m_widget.logicalDpiY();
        case PdmPhysicalDpiX:
            return m_widget.physicalDpiX();
        case PdmPhysicalDpiY:
            return m_widget.physicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    const QWidget& m_widget;
    mutable TextRecordingEngine m_engine;
};

inline std::vector<DrawnText> drawnTexts(const QWidget& widget)
{
    return TextRecorder(widget).record();
}

// The drawn runs as an eye reads them from left to right: "0.0 cm", or "cm 0.0" where a number
// and its unit were laid out right to left. Runs of right-to-left script read backwards here.
inline QString leftToRight(std::vector<DrawnText> drawn)
{
    std::sort(drawn.begin(), drawn.end(), [](const auto& a, const auto& b) { return a.line.left() < b.line.left(); });
    QString text;
    for (const auto& run : drawn) {
        text += run.text;
    }
    return text;
}

} // namespace tarn::texttest
