#include "TarnKit/UI/Chrome/TarnWindowButtons.h"

#include <QPainter>

#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {
namespace {

class CircleButton : public QAbstractButton {
public:
    CircleButton(QColor color, QWidget* parent)
        : QAbstractButton(parent)
        , m_color(std::move(color))
    {
        setFixedSize(TarnWindowButtons::kDiameter, TarnWindowButtons::kDiameter);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(TarnGlassTokens::borderSubtle(), 1));
        painter.setBrush(isDown() ? m_color.darker(125) : m_color);
        painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }

private:
    QColor m_color;
};

} // namespace

TarnWindowButtons::TarnWindowButtons(TarnLanguage language, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("windowButtons"));
    struct Row {
        const char* name;
        QColor color;
        std::string_view en;
        std::string_view tr;
    };
    const Row rows[3] {
        {"windowCloseButton", TarnGlassTokens::danger(), "Close", "Kapat"},
        {"windowMinimizeButton", TarnGlassTokens::warning(), "Minimize", "Simge durumuna küçült"},
        {"windowZoomButton", TarnGlassTokens::success(), "Zoom", "Büyüt"},
    };
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new CircleButton(rows[i].color, this);
        m_buttons[i]->setObjectName(QString::fromLatin1(rows[i].name));
        m_buttons[i]->setToolTip(tarnQText(rows[i].en, rows[i].tr, language));
        m_buttons[i]->setAccessibleName(m_buttons[i]->toolTip());
        m_buttons[i]->move(i * (kDiameter + kSpacing), 0);
    }
    connect(m_buttons[0], &QAbstractButton::clicked, this, &TarnWindowButtons::closeRequested);
    connect(m_buttons[1], &QAbstractButton::clicked, this, &TarnWindowButtons::minimizeRequested);
    connect(m_buttons[2], &QAbstractButton::clicked, this, &TarnWindowButtons::zoomRequested);
    resize(sizeHint());
}

QAbstractButton* TarnWindowButtons::button(WindowButton which) const
{
    return m_buttons[static_cast<int>(which)];
}

void TarnWindowButtons::placeInWindow(double centerY)
{
    move(kLeading, static_cast<int>(std::lround(centerY - kDiameter / 2.0)));
    raise();
}

QSize TarnWindowButtons::sizeHint() const
{
    return {3 * kDiameter + 2 * kSpacing, kDiameter};
}

} // namespace tarn
