#pragma once

// The first row of a card: a symbol and a title at the leading edge and, after the free room, the
// card's own controls (a badge, a switch, buttons) at the trailing edge. The studio's screens and
// the kit's sheets start their cards with one, so every card title looks and lines up the same.

#include <string>

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QHBoxLayout;

namespace tarn {

class TarnSymbolLabel;

class TarnCardHeader : public QWidget {
    Q_OBJECT

public:
    // `spacing` separates the controls; negative: the platform's default.
    TarnCardHeader(std::string symbol, const QString& title, const QFont& font, const QColor& color, int spacing = -1,
        QWidget* parent = nullptr);

    TarnSymbolLabel* title() const { return m_title; }
    void setTitle(const QString& title);
    // Puts `control` at the trailing edge, after the controls added before it.
    void addTrailing(QWidget* control);

private:
    QHBoxLayout* m_row;
    TarnSymbolLabel* m_title;
};

} // namespace tarn
