#pragma once

// The translucent card that frames a section: its content padded on all edges over a continuous
// rounded rectangle filled with surface1 and bordered inside with borderSubtle at width 1.

#include <QPointer>
#include <QWidget>

class QVBoxLayout;

namespace tarn {

class TarnGlassCard : public QWidget {
    Q_OBJECT

public:
    TarnGlassCard(double padding, double cornerRadius, QWidget* parent = nullptr);

    double padding() const { return m_padding; }
    double cornerRadius() const { return m_cornerRadius; }

    // The card takes ownership of `content`; a previous content widget is deleted.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_padding;
    double m_cornerRadius;
    QVBoxLayout* m_layout;
    QPointer<QWidget> m_content;
};

} // namespace tarn
