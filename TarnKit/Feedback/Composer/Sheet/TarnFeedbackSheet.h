#pragma once

// The kit's feedback composer sheet: a header with the application's mark, then either the form
// (topic chips, contact and text fields, screenshots, the error line and the actions) or, once a
// report was received, a receipt card. It shows the one TarnFeedbackSheetState it creates and
// calls the state's operations; it checks nothing itself. Arabic, Persian and Hebrew mirror the
// whole sheet. Interface thread only. The sheet never closes itself: its close control, Escape and
// Done call `onClose`, and without `onClose` there are none of the three.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "TarnKit/Feedback/ClipboardImageSource.h"
#include "TarnKit/Feedback/Composer/ScreenshotFilePicker.h"
#include "TarnKit/Feedback/Composer/TarnFeedbackSheetState.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QHBoxLayout;
class QImage;
class QScrollArea;
class QThreadPool;

namespace tarn {

class TarnFeedbackKindChip;
class TarnFeedbackScreenshotTile;
class TarnFeedbackThumbnailLoader;
class TarnGroundBackground;
class TarnSymbolLabel;
class TarnTintedProminentButton;

// What the sheet reaches beyond its own values. Each reference must outlive the sheet.
struct TarnFeedbackSheetServices {
    // Sends the report (from a worker, through its own copy) and opens the web page.
    const TarnFeedbackService& feedback;
    const ClipboardImageSource& clipboard;
    // The program's interface language, in which error texts are written.
    std::function<TarnLanguage()> interfaceLanguage;
    // Names pasted screenshots.
    const Clock& clock;
    // Null: the desktop's file dialog over the sheet.
    ScreenshotFilePicker* picker = nullptr;
    // Null: Qt's global pool.
    QThreadPool* workers = nullptr;
};

class TarnFeedbackSheet : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 560;
    static constexpr int kMinimumHeight = 540;

    TarnFeedbackSheet(std::string appName, TarnAppVersion version, TarnProductPalette palette, TarnLanguage language,
        std::optional<std::string> baseURL, std::function<void()> onClose, TarnFeedbackSheetServices services,
        QWidget* parent = nullptr);
    ~TarnFeedbackSheet() override;

    TarnFeedbackSheetState& state() { return *m_state; }
    const TarnFeedbackSheetState& state() const { return *m_state; }
    bool hasCloseControl() const { return static_cast<bool>(m_onClose); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildForm();
    QWidget* buildTopicCard();
    QWidget* buildContactCard();
    QWidget* buildScreenshotsCard();
    QWidget* buildErrorLine();
    QWidget* buildActionRow();
    QWidget* buildReceiptCard();
    QLineEdit* addLineField(QLayout* layout, const char* name, std::string_view labelEn, std::string_view labelTr,
        std::string_view placeholderEn, std::string_view placeholderTr,
        void (TarnFeedbackSheetState::*setter)(std::string));

    void showKind();
    void showTexts();
    void showScreenshots();
    void showThumbnail(const Uuid& id, const QImage& thumbnail);
    void fitTileRow();
    void showLines();
    void showSubmission();
    void openInBrowser();

    const std::string m_appName;
    const TarnAppVersion m_version;
    const TarnProductPalette m_palette;
    const TarnLanguage m_language;
    const std::optional<std::string> m_baseURL;
    const std::function<void()> m_onClose;
    const TarnFeedbackService& m_feedback;
    // Before the state, which holds on to it.
    std::unique_ptr<ScreenshotFilePicker> m_ownPicker;
    std::unique_ptr<TarnFeedbackSheetState> m_state;

    TarnGroundBackground* m_ground = nullptr;
    QWidget* m_form = nullptr;
    QWidget* m_receiptCard = nullptr;
    std::vector<TarnFeedbackKindChip*> m_chips;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_senderName = nullptr;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_message = nullptr;
    QLabel* m_hint = nullptr;
    QScrollArea* m_tileScroller = nullptr;
    QHBoxLayout* m_tileRow = nullptr;
    std::vector<TarnFeedbackScreenshotTile*> m_tiles;
    TarnFeedbackThumbnailLoader* m_thumbnails = nullptr;
    QWidget* m_errorLine = nullptr;
    QLabel* m_errorText = nullptr;
    TarnTintedProminentButton* m_send = nullptr;
    QLabel* m_receiptMessage = nullptr;
    QLabel* m_receiptReference = nullptr;
    TarnSymbolLabel* m_receiptAttachments = nullptr;
};

} // namespace tarn
