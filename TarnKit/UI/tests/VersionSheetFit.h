#pragma once

// What it takes for the version sheet to show all of itself at a width: no control lies outside
// the part of its scroll area that can be seen side to side (the page scrolls only up and down),
// and no button, label or title is drawn narrower than its text asks; and the release those tests
// show.

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

#include "TarnKit/UI/Text/TarnSymbolLabel.h"
#include "TarnKit/UI/Text/TarnWrappingText.h"
#include "TarnKit/UI/Version/TarnVersionAndLogsView.h"
#include "TarnKit/UI/Version/TarnVersionBadge.h"

namespace tarn::sheetfit {

inline QString nameOf(const QWidget& widget)
{
    const QString name = widget.objectName();
    return QString::fromLatin1(widget.metaObject()->className()) + (name.isEmpty() ? QString() : ' ' + name);
}

inline bool isControl(const QWidget& widget)
{
    return qobject_cast<const QAbstractButton*>(&widget) != nullptr || qobject_cast<const QLabel*>(&widget) != nullptr
        || qobject_cast<const TarnSymbolLabel*>(&widget) != nullptr
        || qobject_cast<const TarnVersionBadge*>(&widget) != nullptr
        || qobject_cast<const TarnWrappingText*>(&widget) != nullptr;
}

// The controls that are cut: partly outside the visible width, or narrower than their text.
inline QStringList cutControls(const TarnVersionAndLogsView& view)
{
    const auto* scroll = view.findChild<QScrollArea*>(QStringLiteral("versionScroll"));
    if (scroll == nullptr) {
        return {QStringLiteral("no scroll area")};
    }
    QStringList cut;
    if (scroll->horizontalScrollBar()->isVisible()) {
        cut << QStringLiteral("the page scrolls sideways");
    }
    const QWidget* viewport = scroll->viewport();
    for (const QWidget* widget : scroll->widget()->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(scroll) || !isControl(*widget)) {
            continue;
        }
        const QRect inViewport(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
        if (inViewport.left() < 0 || inViewport.right() >= viewport->width()) {
            cut << nameOf(*widget) + QStringLiteral(" outside");
        }
        const auto* label = qobject_cast<const QLabel*>(widget);
        const bool wraps
            = (label != nullptr && label->wordWrap()) || qobject_cast<const TarnWrappingText*>(widget) != nullptr;
        if (!wraps && widget->width() < widget->sizeHint().width()) {
            cut << nameOf(*widget) + QStringLiteral(" narrower than its text");
        }
    }
    return cut;
}

// The one release the fit tests show: a summary and a detail of ordinary length.
inline TarnReleaseLogRecord sampleRelease()
{
    TarnReleaseLogRecord release;
    release.timestamp = "2026-12-09T10:00:00Z";
    release.toVersion = "1.4.0";
    release.toBuild = 57;
    release.bumpKind = "minor";
    release.section = "Added";
    release.summary = "Version sheet and feedback page.";
    release.details = {"Logs can be filtered, copied and cleared."};
    return release;
}

} // namespace tarn::sheetfit
