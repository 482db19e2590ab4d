#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarWindow.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

#include "TarnKit/UI/Chrome/TarnWindowButtons.h"
#include "TarnKit/UI/Chrome/TarnWindowDragArea.h"

namespace tarn {

TarnUnifiedTitlebarWindow::TarnUnifiedTitlebarWindow(TarnUnifiedTitlebarMode mode, TarnLanguage language,
    double fullscreenLeading, double trafficLightGap, const TitlebarDoubleClickPreference* doubleClickPreference,
    QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_mode(mode)
    , m_fullscreenLeading(fullscreenLeading)
    , m_gap(trafficLightGap)
    , m_doubleClickPreference(doubleClickPreference)
    , m_column(new QVBoxLayout(this))
    , m_buttons(new TarnWindowButtons(language, this))
    , m_reporter([this](const TarnUnifiedTitlebarMetrics& metrics) { applyMetrics(metrics); })
{
    setObjectName(QStringLiteral("unifiedTitlebarWindow"));
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    connect(m_buttons, &TarnWindowButtons::closeRequested, this, &QWidget::close);
    connect(m_buttons, &TarnWindowButtons::minimizeRequested, this, [this] { minimize(); });
    connect(m_buttons, &TarnWindowButtons::zoomRequested, this, [this] { zoom(); });
    TarnUnifiedTitlebar::configure(*this, m_mode);
    m_buttons->placeInWindow(TarnUnifiedTitlebarMetrics::kStandardHeight / 2.0);
    // Edges belong to the window even where a child covers them.
    qApp->installEventFilter(this);
    setAttribute(Qt::WA_Hover);
}

TarnUnifiedTitlebarWindow::~TarnUnifiedTitlebarWindow()
{
    qApp->removeEventFilter(this);
    showEdgeCursor({});
}

TarnWindowDragArea* TarnUnifiedTitlebarWindow::headerBar() const
{
    return m_header;
}

void TarnUnifiedTitlebarWindow::setHeaderContent(
    QWidget* content, double minHeight, double trailingPadding, double verticalPadding)
{
    if (!m_header) {
        delete content;
        return;
    }
    if (m_headerContent) {
        delete m_headerContent;
    }
    m_headerContent = content;
    m_headerTrailing = trailingPadding;
    m_headerVertical = verticalPadding;
    m_header->setMinimumHeight(static_cast<int>(std::ceil(minHeight)));
    m_headerRow->addWidget(content, 1);
    applyMetrics(m_metrics);
}

void TarnUnifiedTitlebarWindow::setContent(QWidget* content)
{
    if (m_content) {
        delete m_content;
    }
    m_content = content;
    m_column->addWidget(content, 1);
    m_buttons->raise();
}

bool TarnUnifiedTitlebarWindow::hasFullSizeContent() const
{
    return windowFlags().testFlag(Qt::FramelessWindowHint);
}

void TarnUnifiedTitlebarWindow::addFullSizeContent()
{
    // Without the window manager's frame the content starts at the window's top edge.
    setWindowFlag(Qt::FramelessWindowHint, true);
}

void TarnUnifiedTitlebarWindow::hideTitle()
{
    // The frame draws no title; the window title still names the window to the taskbar.
}

void TarnUnifiedTitlebarWindow::makeTitlebarTransparent()
{
    // The header bar has no fill of its own: the window's background runs under it.
}

void TarnUnifiedTitlebarWindow::removeTitlebarSeparator()
{
    // The header bar draws no separator line below itself.
}

std::optional<std::string> TarnUnifiedTitlebarWindow::toolbarIdentifier() const
{
    return m_header ? m_toolbarIdentifier : std::nullopt;
}

void TarnUnifiedTitlebarWindow::removeToolbar()
{
    delete m_header;
    m_toolbarIdentifier.reset();
}

void TarnUnifiedTitlebarWindow::installToolbar(std::string_view identifier)
{
    delete m_header;
    m_header = new TarnWindowDragArea(this);
    m_header->setObjectName(QStringLiteral("headerBar"));
    m_header->setMinimumHeight(static_cast<int>(TarnUnifiedTitlebarMetrics::kStandardHeight));
    m_header->setDoubleClickHandler([this] {
        TarnUnifiedTitlebar::performDoubleClick(
            *this, m_doubleClickPreference != nullptr ? m_doubleClickPreference->action() : std::nullopt);
    });
    m_headerRow = new QHBoxLayout(m_header);
    m_headerRow->setSpacing(0);
    m_column->insertWidget(0, m_header);
    m_toolbarIdentifier = std::string(identifier);
    m_buttons->raise();
    applyMetrics(m_metrics);
}

void TarnUnifiedTitlebarWindow::setUnifiedToolbarStyle()
{
    // The header bar and the window share one surface; there is no separate toolbar style.
}

bool TarnUnifiedTitlebarWindow::isFullScreen() const
{
    return QWidget::isFullScreen();
}

std::optional<WindowRect> TarnUnifiedTitlebarWindow::buttonFrame(WindowButton button) const
{
    const QAbstractButton* widget = m_buttons->button(button);
    if (widget == nullptr || m_buttons->isHidden() || widget->isHidden()) {
        return std::nullopt;
    }
    const QPoint topLeft = widget->mapTo(this, QPoint(0, 0));
    return WindowRect {static_cast<double>(topLeft.x()), static_cast<double>(topLeft.y()),
        static_cast<double>(widget->width()), static_cast<double>(widget->height())};
}

void TarnUnifiedTitlebarWindow::minimize()
{
    showMinimized();
}

void TarnUnifiedTitlebarWindow::zoom()
{
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

void TarnUnifiedTitlebarWindow::reportMetrics()
{
    m_buttons->setVisible(!QWidget::isFullScreen());
    m_reporter.report(TarnUnifiedTitlebar::measure(*this, m_fullscreenLeading, m_gap));
}

void TarnUnifiedTitlebarWindow::applyMetrics(const TarnUnifiedTitlebarMetrics& metrics)
{
    const bool changed = !(metrics == m_metrics);
    m_metrics = metrics;
    if (m_headerRow != nullptr) {
        m_headerRow->setContentsMargins(static_cast<int>(std::lround(metrics.leadingClearance)),
            static_cast<int>(std::lround(m_headerVertical)), static_cast<int>(std::lround(m_headerTrailing)),
            static_cast<int>(std::lround(m_headerVertical)));
    }
    if (changed) {
        emit metricsChanged(metrics);
    }
}

void TarnUnifiedTitlebarWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reportMetrics();
}

void TarnUnifiedTitlebarWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    reportMetrics();
}

void TarnUnifiedTitlebarWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        reportMetrics();
    }
}

Qt::Edges TarnUnifiedTitlebarWindow::edgesAt(const QPoint& position) const
{
    Qt::Edges edges;
    if (isMaximized() || QWidget::isFullScreen()) {
        return edges;
    }
    if (position.x() < kResizeMargin) {
        edges |= Qt::LeftEdge;
    } else if (position.x() >= width() - kResizeMargin) {
        edges |= Qt::RightEdge;
    }
    if (position.y() < kResizeMargin) {
        edges |= Qt::TopEdge;
    } else if (position.y() >= height() - kResizeMargin) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

bool TarnUnifiedTitlebarWindow::handleEdgePress(QMouseEvent* event)
{
    const Qt::Edges edges = edgesAt(mapFromGlobal(event->globalPosition().toPoint()));
    if (edges == Qt::Edges() || event->button() != Qt::LeftButton) {
        return false;
    }
    QWindow* handle = windowHandle();
    if (handle == nullptr || !handle->startSystemResize(edges)) {
        m_manualEdges = edges;
        m_resizePressGlobal = event->globalPosition().toPoint();
        m_resizeStartGeometry = geometry();
    }
    return true;
}

void TarnUnifiedTitlebarWindow::followManualResize(const QPoint& global)
{
    const QPoint delta = global - m_resizePressGlobal;
    QRect target = m_resizeStartGeometry;
    const QSize minimum = minimumSize().expandedTo(QSize(kResizeMargin * 4, kResizeMargin * 4));
    if (m_manualEdges & Qt::LeftEdge) {
        target.setLeft(std::min(target.left() + delta.x(), target.right() - minimum.width() + 1));
    }
    if (m_manualEdges & Qt::RightEdge) {
        target.setRight(std::max(target.right() + delta.x(), target.left() + minimum.width() - 1));
    }
    if (m_manualEdges & Qt::TopEdge) {
        target.setTop(std::min(target.top() + delta.y(), target.bottom() - minimum.height() + 1));
    }
    if (m_manualEdges & Qt::BottomEdge) {
        target.setBottom(std::max(target.bottom() + delta.y(), target.top() + minimum.height() - 1));
    }
    setGeometry(target);
}

void TarnUnifiedTitlebarWindow::showEdgeCursor(Qt::Edges edges)
{
    if (edges == Qt::Edges()) {
        if (m_edgeCursorShown) {
            QGuiApplication::restoreOverrideCursor();
            m_edgeCursorShown = false;
        }
        return;
    }
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    Qt::CursorShape shape = horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    if (horizontal && vertical) {
        const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        shape = falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (m_edgeCursorShown) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        m_edgeCursorShown = true;
    }
}

bool TarnUnifiedTitlebarWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverMove:
        if (m_manualEdges == Qt::Edges()) {
            showEdgeCursor(edgesAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        }
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        showEdgeCursor({});
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TarnUnifiedTitlebarWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress) {
        return handleEdgePress(mouse);
    }
    if (type == QEvent::MouseButtonRelease) {
        m_manualEdges = {};
        return false;
    }
    if (m_manualEdges != Qt::Edges() && (mouse->buttons() & Qt::LeftButton)) {
        followManualResize(mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}

} // namespace tarn
