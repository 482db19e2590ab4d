#include "TarnKit/UI/Glass/TarnCardHeader.h"

#include <utility>

#include <QHBoxLayout>

#include "TarnKit/UI/Text/TarnSymbolLabel.h"

namespace tarn {

TarnCardHeader::TarnCardHeader(
    std::string symbol, const QString& title, const QFont& font, const QColor& color, int spacing, QWidget* parent)
    : QWidget(parent)
    , m_row(new QHBoxLayout(this))
    , m_title(new TarnSymbolLabel(std::move(symbol), title, font, color))
{
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(spacing);
    m_row->addWidget(m_title);
    m_row->addStretch(1);
}

void TarnCardHeader::setTitle(const QString& title)
{
    m_title->setText(title);
}

void TarnCardHeader::addTrailing(QWidget* control)
{
    m_row->addWidget(control);
}

} // namespace tarn
