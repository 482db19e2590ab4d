#include "TarnKit/UI/Panels/TarnPushedCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tarn {

TarnPushedCursor::~TarnPushedCursor()
{
    pop();
}

void TarnPushedCursor::push(Qt::CursorShape shape)
{
    if (m_pushed) {
        return;
    }
    QGuiApplication::setOverrideCursor(QCursor(shape));
    m_pushed = true;
}

void TarnPushedCursor::pop()
{
    if (!m_pushed) {
        return;
    }
    QGuiApplication::restoreOverrideCursor();
    m_pushed = false;
}

} // namespace tarn
