#pragma once

// The clickable version capsule an application puts in its header, optionally followed by a
// compact feedback button. A click presents the version-and-logs sheet as a window-modal dialog;
// closing it (its close button, Escape, or the window's own close) destroys the sheet, so the
// next presentation starts afresh (all levels, "Copy").

#include <string>

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "TarnKit/UI/Version/TarnVersionAndLogsView.h"

namespace tarn {

class TarnVersionBadge;

class TarnVersionBadgeButton : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSheetMinimumWidth = 720;
    static constexpr int kSheetMinimumHeight = 560;

    // Without a logger, the application's shared logger is used.
    TarnVersionBadgeButton(std::string appName, TarnAppVersion version, TarnAppLogger* logger,
        TarnProductPalette palette, TarnLanguage language, bool showBuild, bool showFeedbackButton,
        TarnVersionAndLogsView::Services services = {}, QWidget* parent = nullptr);

    TarnAppLogger& logger() const { return m_logger; }
    // The hover help of the capsule.
    static QString helpText(const TarnAppVersion& version, TarnLanguage language);

    void presentSheet();
    // The presented sheet, or null.
    QDialog* sheet() const { return m_sheet; }
    TarnVersionAndLogsView* sheetView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const std::string m_appName;
    const TarnAppVersion m_version;
    TarnAppLogger& m_logger;
    const TarnProductPalette m_palette;
    const TarnLanguage m_language;
    const TarnVersionAndLogsView::Services m_services;
    TarnVersionBadge* m_badge;
    QPointer<QDialog> m_sheet;
};

} // namespace tarn
