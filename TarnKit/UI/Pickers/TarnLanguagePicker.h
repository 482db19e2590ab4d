#pragma once

// A drop-down from which the user picks the interface language: "System Language (<native name
// of the system's language>)", a separator, then every language by its English name. Picking a
// row stores the choice in the language settings first and then reports the language through
// `languageSelected`; the picker then shows it as its own language. Without a title the label
// reads "Language" in the picker's language; with showTitle false the label is hidden and the
// drop-down is kept between 190 and 260 pixels wide, wider only where the longest name needs it.

#include <optional>

#include <QString>
#include <QWidget>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/UI/Pickers/TarnLanguagePickerState.h"

class QComboBox;
class QLabel;

namespace tarn {

class TarnLanguageSettings;

class TarnLanguagePicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumUntitledWidth = 190;
    static constexpr int kMaximumUntitledWidth = 260;

    // `settings` defaults to the process-wide language settings.
    TarnLanguagePicker(std::optional<QString> title, TarnLanguage language, bool showTitle, QWidget* parent = nullptr,
        TarnLanguageSettings* settings = nullptr);

    TarnLanguage language() const { return m_language; }
    // The owner's copy of the language changed; the picker follows without storing anything.
    void setLanguage(TarnLanguage language);

    bool showsTitle() const { return m_showTitle; }
    QString title() const;
    bool isFollowingSystem() const { return m_state.isFollowingSystem(); }

signals:
    // The user picked a row: the language picked, or the system-resolved one for the system row.
    void languageSelected(tarn::TarnLanguage language);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onComboActivated(int index);
    void refresh();
    void boundWidth();

    std::optional<QString> m_title;
    TarnLanguage m_language;
    bool m_showTitle;
    TarnLanguagePickerState m_state;
    QLabel* m_titleLabel;
    QComboBox* m_combo;
};

} // namespace tarn
