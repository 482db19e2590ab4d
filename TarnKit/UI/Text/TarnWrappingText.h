#pragma once

// Read-only plain text that the user can select and copy, wrapped to its width: at word
// boundaries, and anywhere inside a word too long for a line (a path, a URL), so that it never
// asks for more width than it is given. Its reading direction comes from its own text (the
// first letter that has one), whatever the layout's direction: Latin text in a right-to-left
// sheet keeps its order and punctuation, Arabic text in a left-to-right one its own. Its lines
// start at the layout's leading edge, as its heading does. The wheel over it goes on to the
// page, which scrolls. Its text and font are the ones it is made with.

#include <array>
#include <memory>
#include <utility>

#include <QColor>
#include <QFont>
#include <QTextEdit>

class QTextDocument;

namespace tarn {

class TarnWrappingText : public QTextEdit {
    Q_OBJECT

public:
    TarnWrappingText(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
    ~TarnWrappingText() override;

    QString text() const { return toPlainText(); }
    // Whether the text reads right to left, as decided by its own letters.
    bool isRightToLeft() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A copy of the text, laid out at the widths the layouts ask about; layouts ask about the same
    // few widths again and again, so the last answers are kept.
    std::unique_ptr<QTextDocument> m_measure;
    mutable std::array<std::pair<int, int>, 4> m_heights {};
    mutable std::size_t m_nextHeight = 0;
    mutable int m_idealWidth = -1;
};

} // namespace tarn
