#pragma once

// Opens the maker's web feedback page for the running application, in one of two looks: a small
// icon capsule for title bars and badges, or a labelled glass pill for toolbars and forms. It
// keeps no state: a click hands its stored values to the feedback service, and the browser takes
// over. Whether the page opened is not checked.

#include <optional>
#include <string>

#include <QAbstractButton>

#include "TarnKit/Feedback/TarnFeedbackKind.h"
#include "TarnKit/Feedback/TarnFeedbackService.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

enum class TarnFeedbackButtonStyle { compactIcon, labeledPill };

class TarnFeedbackButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr std::string_view kSymbol = "bubble.left.and.exclamationmark.bubble.right";
    static constexpr double kCompactSymbolFontSize = 10.0;
    static constexpr double kCompactHorizontalPadding = 6.5;
    static constexpr double kCompactVerticalPadding = 3.0;

    // `service` defaults to the program's shared feedback service and must outlive the button.
    TarnFeedbackButton(std::string appName, TarnAppVersion version, TarnFeedbackKind kind, TarnLanguage language,
        TarnFeedbackButtonStyle style, std::optional<std::string> baseURL, QWidget* parent = nullptr,
        const TarnFeedbackService* service = nullptr);

    const std::string& appName() const { return m_appName; }
    const TarnAppVersion& version() const { return m_version; }
    TarnFeedbackKind kind() const { return m_kind; }
    TarnLanguage language() const { return m_language; }
    TarnFeedbackButtonStyle buttonStyle() const { return m_style; }
    const std::optional<std::string>& baseURL() const { return m_baseURL; }

    // "Send Feedback & Ideas" / "Geri Bildirim & Fikir Gönder".
    static QString pillLabel(TarnLanguage language);
    // The hover help of both looks and the accessible name of the compact one.
    static QString helpText(TarnLanguage language);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onClicked();
    QFont labelFont() const;

    std::string m_appName;
    TarnAppVersion m_version;
    TarnFeedbackKind m_kind;
    TarnLanguage m_language;
    TarnFeedbackButtonStyle m_style;
    std::optional<std::string> m_baseURL;
    const TarnFeedbackService& m_service;
};

} // namespace tarn
