#include "TarnKit/UI/Text/TarnWrappingText.h"

#include <algorithm>
#include <cmath>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QWheelEvent>

namespace tarn {
namespace {

QTextOption wrappingOption(Qt::LayoutDirection layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // The text reads in its own direction but starts where the layout starts its texts, under its
    // heading.
    option.setAlignment((layout == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    option.setTextDirection(Qt::LayoutDirectionAuto);
    return option;
}

void prepare(QTextDocument& document, const QFont& font, Qt::LayoutDirection layout)
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    document.setDefaultTextOption(wrappingOption(layout));
}

int heightOf(const QTextDocument& document)
{
    return static_cast<int>(std::ceil(document.size().height()));
}

} // namespace

TarnWrappingText::TarnWrappingText(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QTextEdit(parent)
    , m_measure(std::make_unique<QTextDocument>())
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A click selects; the keyboard's Tab passes over the text to the controls.
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    viewport()->setAutoFillBackground(false);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, color);
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
    prepare(*document(), font, layoutDirection());
    setPlainText(text);
    prepare(*m_measure, font, layoutDirection());
    m_measure->setPlainText(text);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

TarnWrappingText::~TarnWrappingText() = default;

bool TarnWrappingText::isRightToLeft() const
{
    const QTextBlock block = document()->firstBlock();
    return block.isValid() && block.textDirection() == Qt::RightToLeft;
}

int TarnWrappingText::heightForWidth(int width) const
{
    width = std::max(width, 1);
    for (const auto& [known, height] : m_heights) {
        if (known == width) {
            return height;
        }
    }
    m_measure->setTextWidth(width);
    const int height = heightOf(*m_measure);
    m_heights[m_nextHeight] = {width, height};
    m_nextHeight = (m_nextHeight + 1) % m_heights.size();
    return height;
}

QSize TarnWrappingText::sizeHint() const
{
    // One line as long as the text, unless the text has lines of its own.
    if (m_idealWidth < 0) {
        m_measure->setTextWidth(-1);
        m_idealWidth = static_cast<int>(std::ceil(m_measure->idealWidth()));
    }
    return {m_idealWidth, heightForWidth(m_idealWidth)};
}

QSize TarnWrappingText::minimumSizeHint() const
{
    // Any width will do: the text wraps anywhere if it must.
    return {fontMetrics().averageCharWidth(), fontMetrics().height()};
}

void TarnWrappingText::wheelEvent(QWheelEvent* event)
{
    // The whole text is always shown; there is nothing here to scroll.
    event->ignore();
}

void TarnWrappingText::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        document()->setDefaultTextOption(wrappingOption(layoutDirection()));
    }
}

void TarnWrappingText::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    // Scrolled by a pixel of rounding, the first line would lose its top.
    verticalScrollBar()->setValue(0);
}

} // namespace tarn
