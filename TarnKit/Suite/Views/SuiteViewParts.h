#pragma once
// Small painted parts of the gauge card: a capsule badge, a symbol-and-title row, a gauge bar
// with its title and value, and a stat pill.
#include <optional>
#include <string>

#include <QWidget>

#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryGaugeCardPresentation.h"
#include "TarnKit/Suite/Views/SuiteViewPainting.h"

namespace tarn::suiteviews {

// A one-line run on an optional capsule, kept at its ideal size.
class RunBadge final : public QWidget {
public:
    RunBadge(LabelRun run, QColor foreground, QColor fill, double padX, double padY, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QString text() const { return m_run.text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LabelRun m_run;
    QColor m_foreground;
    QColor m_fill;
    double m_padX;
    double m_padY;
};

class GaugeBar final : public QWidget {
public:
    explicit GaugeBar(TarnVirtualMemoryGauge gauge, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TarnVirtualMemoryGauge m_gauge;
};

class StatPill final : public QWidget {
public:
    explicit StatPill(TarnVirtualMemoryStatPill pill, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool hasDetail() const;
    TarnVirtualMemoryStatPill m_pill;
};

} // namespace tarn::suiteviews
