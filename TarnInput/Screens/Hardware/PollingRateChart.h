#pragma once

// The Hardware screen's bar chart of recent polling rates: one bar per report rate of the newest
// 32, oldest on the left, scaled against the peak rate (at least 125 Hz), 3.52 to 44 high, on a
// dark rounded well 48 high plus padding. Without rates it shows a waiting text instead.

#include <cstdint>
#include <vector>

#include <QColor>
#include <QString>
#include <QWidget>

namespace tarn::input {

class PollingRateChart : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kMaximumBars = 32;

    explicit PollingRateChart(const QColor& accent, QWidget* parent = nullptr);

    // Heights of the bars drawn for a history (oldest first) and a peak rate, left to right.
    static std::vector<double> barHeights(const std::vector<std::int64_t>& history, std::int64_t peakHz);

    void setRates(const std::vector<std::int64_t>& history, std::int64_t peakHz);
    void setWaitingText(const QString& text);
    const std::vector<double>& heights() const { return m_heights; }
    QString waitingText() const { return m_waitingText; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_accent;
    std::vector<double> m_heights;
    QString m_waitingText;
};

} // namespace tarn::input
