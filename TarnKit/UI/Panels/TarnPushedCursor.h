#pragma once

// A cursor shown over the whole application while a drag runs. It is pushed at most once and
// popped at most once, also when its owner goes away in the middle of a drag, so a drag never
// leaves the application with the wrong cursor.

#include <Qt>

namespace tarn {

class TarnPushedCursor {
public:
    TarnPushedCursor() = default;
    TarnPushedCursor(const TarnPushedCursor&) = delete;
    TarnPushedCursor& operator=(const TarnPushedCursor&) = delete;
    ~TarnPushedCursor();

    void push(Qt::CursorShape shape);
    void pop();
    bool isPushed() const { return m_pushed; }

private:
    bool m_pushed = false;
};

} // namespace tarn
