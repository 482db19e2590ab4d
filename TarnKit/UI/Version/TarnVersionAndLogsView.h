#pragma once

// The version-and-logs sheet: the version and build, the release history shipped with the program
// and the newest entries of the application log, with a level filter and buttons to refresh, copy,
// reveal and clear the logs. The list shows at most 120 entries while Copy exports up to 250
// lines of the same filter. The sheet does not follow later log writes on its own: it reads the
// releases and entries when it appears, and the entries again on every filter change and button.
// Everything runs on the interface thread.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Foundation/Identity/TarnReleaseLogRecord.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"
#include "TarnKit/Foundation/Logging/TarnLogEntry.h"
#include "TarnKit/Foundation/Logging/TarnLogLevel.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace tarn {

class TarnGlassButton;
class TarnGroundBackground;

// What the version sheet reaches beyond the logger; every member has a working default.
struct TarnVersionSheetServices {
    // Shows the log folder in the file manager; empty means the logger's own reveal.
    std::function<void()> revealLogFolder;
    // The release records of an application; empty means the ones shipped with the program.
    std::function<std::vector<TarnReleaseLogRecord>(std::string_view appName)> loadReleases;
    // Opens the feedback page; null means the shared service.
    const TarnFeedbackService* feedback = nullptr;
};

class TarnVersionAndLogsView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShownEntries = 120;
    static constexpr int kCopiedEntries = 250;

    using Services = TarnVersionSheetServices;

    // `logger` must outlive the view. Without `onClose` the sheet has neither its ground
    // background nor its header row with the close button.
    TarnVersionAndLogsView(std::string appName, TarnAppVersion version, TarnAppLogger& logger,
        TarnProductPalette palette, TarnLanguage language, std::vector<TarnReleaseLogRecord> fallbackReleases,
        std::function<void()> onClose, Services services = {}, QWidget* parent = nullptr);

    // Reads the releases (the fall-backs when none are shipped) and the entries anew.
    void reloadAll();

    TarnLogLevel selectedMinLevel() const { return m_selectedMinLevel; }
    const std::vector<TarnLogEntry>& entries() const { return m_entries; }
    const std::vector<TarnReleaseLogRecord>& releases() const { return m_releases; }
    bool showsCopied() const { return m_copied; }
    bool hasHeader() const { return static_cast<bool>(m_onClose); }

    // The time column of a log row: the 8 characters after the first "T", else the first 8.
    static std::string timeOfDay(std::string_view timestamp);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildSummaryCard();
    QWidget* buildReleaseCard();
    QWidget* buildLogsCard();
    QWidget* buildLogRow(const TarnLogEntry& entry) const;
    QWidget* buildReleaseBlock(const TarnReleaseLogRecord& record) const;
    void reloadEntries();
    void showReleases();
    void showEntries();
    void selectLevel(TarnLogLevel level);
    void onCopyClicked();
    void onClearClicked();

    const std::string m_appName;
    const TarnAppVersion m_version;
    TarnAppLogger& m_logger;
    const TarnProductPalette m_palette;
    const TarnLanguage m_language;
    const std::vector<TarnReleaseLogRecord> m_fallbackReleases;
    const std::function<void()> m_onClose;
    const Services m_services;

    TarnLogLevel m_selectedMinLevel = TarnLogLevel::debug;
    std::vector<TarnLogEntry> m_entries;
    std::vector<TarnReleaseLogRecord> m_releases;
    bool m_copied = false;

    QPointer<TarnGroundBackground> m_ground;
    QVBoxLayout* m_releaseList = nullptr;
    QVBoxLayout* m_logList = nullptr;
    std::vector<QAbstractButton*> m_levelButtons;
    TarnGlassButton* m_copyButton = nullptr;
};

} // namespace tarn
