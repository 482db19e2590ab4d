#pragma once

// A row of glass buttons of which exactly one is selected, for choices of a few values. Only the
// user's click signals (`activated`); setCurrentIndex shows the model's value silently.

#include <QColor>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;

namespace tarn::input {

class SegmentedPicker : public QWidget {
    Q_OBJECT

public:
    explicit SegmentedPicker(QWidget* parent = nullptr);

    // Replaces the segments, keeping the selection by position.
    void setSegments(const QStringList& labels);
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    int count() const;

signals:
    void activated(int index);

private:
    void onButtonClicked(int index);
    void showSelection();

    QHBoxLayout* m_layout;
    QButtonGroup* m_group;
    int m_current = -1;
};

} // namespace tarn::input
