#pragma once

// The compact language chooser: a capsule with a globe and the short code of the current language
// ("EN", "PT", "ZH-TW") that opens a menu of "System Language (...)", a separator and every
// language by its English name, the chosen row marked with a check. Picking a row stores the
// choice in the language settings first and then reports the language through
// `languageSelected`.

#include <QToolButton>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Pickers/TarnLanguagePickerState.h"

class QAction;
class QMenu;

namespace tarn {

class TarnLanguageSettings;

class TarnLanguageMenuButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr double kFontSize = 11.0;
    static constexpr double kSpacing = 4.0;
    static constexpr double kHorizontalPadding = 8.0;
    static constexpr double kVerticalPadding = 4.0;

    // `settings` defaults to the process-wide language settings.
    explicit TarnLanguageMenuButton(
        TarnLanguage language, QWidget* parent = nullptr, TarnLanguageSettings* settings = nullptr);

    TarnLanguage language() const { return m_language; }
    // The owner's copy of the language changed; the button follows without storing anything.
    void setLanguage(TarnLanguage language);
    bool isFollowingSystem() const { return m_state.isFollowingSystem(); }

    // The menu's rows in order (the separator included), for hosts and tests.
    QMenu* languageMenu() const { return m_menu; }
    QString shortCodeText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user picked a row: the language picked, or the system-resolved one for the system row.
    void languageSelected(tarn::TarnLanguage language);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onMenuAboutToShow();
    void onMenuTriggered(QAction* action);
    void refresh();
    static QFont labelFont();

    TarnLanguage m_language;
    TarnLanguagePickerState m_state;
    QMenu* m_menu;
    QAction* m_systemAction;
};

} // namespace tarn
