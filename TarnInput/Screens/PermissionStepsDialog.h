#pragma once

// The steps that give TarnInput the input permission, shown in the program itself: Linux has no
// prompt that grants it, and a help page needs a browser the user may not have. The commands are
// selectable and one button copies them all.

#include <filesystem>
#include <vector>

#include <QDialog>

#include "TarnKit/Localization/TarnLanguage.h"

class QLabel;
class QPushButton;

namespace tarn::input {

class PermissionStepsDialog : public QDialog {
    Q_OBJECT

public:
    // `ruleSource` is the udev rule shipped with the program; `ruleInstalled` says whether udev
    // already reads a copy of it (then there is nothing to copy into place).
    PermissionStepsDialog(
        TarnLanguage language, bool ruleInstalled, const std::filesystem::path& ruleSource, QWidget* parent = nullptr);

    // Shows the steps over `parent`'s window, or brings forward the ones it shows already.
    static void present(QWidget& parent, TarnLanguage language);

    // The commands to run, one a line, in order.
    static std::vector<QString> commands(bool ruleInstalled, const std::filesystem::path& ruleSource);
    // Whether udev reads a rule of this name from one of its folders under `root` ("/").
    static bool isRuleInstalled(const std::filesystem::path& root = "/");

    QString commandText() const { return m_commandText; }

private:
    void onCopyClicked();

    TarnLanguage m_language;
    QString m_commandText;
    QPushButton* m_copyButton = nullptr;
};

} // namespace tarn::input
