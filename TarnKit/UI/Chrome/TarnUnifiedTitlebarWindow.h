#pragma once

// A frameless top-level window that draws its own chrome: its content runs to the top edge, its
// own three window buttons sit at the top-left, a header bar (in the unified-header mode) lays its
// content out to the right of them and moves the window when empty header space is dragged, and
// the window's edges resize it (through the window manager, or by hand where none answers).
// Whenever the buttons' placement changes it publishes new titlebar metrics, never the same ones
// twice in a row.

#include <optional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Chrome/TarnUnifiedTitlebar.h"
#include "TarnKit/UI/Chrome/TitlebarDoubleClickPreference.h"
#include "TarnKit/UI/Chrome/WindowChrome.h"

class QVBoxLayout;
class QHBoxLayout;

namespace tarn {

class TarnWindowButtons;
class TarnWindowDragArea;

class TarnUnifiedTitlebarWindow : public QWidget, public WindowChrome {
    Q_OBJECT

public:
    // Pointer distance from an edge within which a press resizes the window.
    static constexpr int kResizeMargin = 6;

    // `doubleClickPreference` may be null (then a double click zooms) and must outlive the window.
    // The window buttons speak `language`.
    TarnUnifiedTitlebarWindow(TarnUnifiedTitlebarMode mode, TarnLanguage language, double fullscreenLeading = 16,
        double trafficLightGap = 14, const TitlebarDoubleClickPreference* doubleClickPreference = nullptr,
        QWidget* parent = nullptr);
    ~TarnUnifiedTitlebarWindow() override;

    // The header row's content (unified-header mode), padded past the window buttons.
    void setHeaderContent(
        QWidget* content, double minHeight = 52, double trailingPadding = 18, double verticalPadding = 8);
    void setContent(QWidget* content);

    const TarnUnifiedTitlebarMetrics& metrics() const { return m_metrics; }
    TarnWindowButtons* windowButtons() const { return m_buttons; }
    TarnWindowDragArea* headerBar() const;

    // WindowChrome
    bool hasFullSizeContent() const override;
    void addFullSizeContent() override;
    void hideTitle() override;
    void makeTitlebarTransparent() override;
    void removeTitlebarSeparator() override;
    std::optional<std::string> toolbarIdentifier() const override;
    void removeToolbar() override;
    void installToolbar(std::string_view identifier) override;
    void setUnifiedToolbarStyle() override;
    bool isFullScreen() const override;
    std::optional<WindowRect> buttonFrame(WindowButton button) const override;
    void minimize() override;
    void zoom() override;

signals:
    void metricsChanged(const tarn::TarnUnifiedTitlebarMetrics& metrics);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void reportMetrics();
    void applyMetrics(const TarnUnifiedTitlebarMetrics& metrics);
    Qt::Edges edgesAt(const QPoint& windowPosition) const;
    bool handleEdgePress(QMouseEvent* event);
    void followManualResize(const QPoint& global);
    // Shows the resize cursor while the pointer rests on an edge.
    void showEdgeCursor(Qt::Edges edges);

    TarnUnifiedTitlebarMode m_mode;
    double m_fullscreenLeading;
    double m_gap;
    const TitlebarDoubleClickPreference* m_doubleClickPreference;
    QVBoxLayout* m_column;
    TarnWindowButtons* m_buttons;
    QPointer<TarnWindowDragArea> m_header;
    std::optional<std::string> m_toolbarIdentifier;
    QPointer<QWidget> m_headerContent;
    QHBoxLayout* m_headerRow = nullptr;
    double m_headerTrailing = 18;
    double m_headerVertical = 8;
    QPointer<QWidget> m_content;
    TarnUnifiedTitlebarMetrics m_metrics;
    TarnTitlebarMetricsReporter m_reporter;
    // A resize that the window manager did not take, followed by hand.
    Qt::Edges m_manualEdges;
    QPoint m_resizePressGlobal;
    QRect m_resizeStartGeometry;
    bool m_edgeCursorShown = false;
};

} // namespace tarn
