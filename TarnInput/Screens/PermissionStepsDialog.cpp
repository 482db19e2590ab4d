#include "TarnInput/Screens/PermissionStepsDialog.h"

#include <array>

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnKit/Foundation/Files/ProgramResources.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextLabel.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr auto kRuleName = "70-tarninput.rules";

QString shellQuoted(const std::filesystem::path& path)
{
    QString quoted = QString::fromStdString(path.string());
    quoted.replace(QStringLiteral("'"), QStringLiteral("'\\''"));
    return QStringLiteral("'") + quoted + QStringLiteral("'");
}

QLabel* makeLabel(const QString& text, TarnTextStyle style, const QColor& colour)
{
    auto* label = new TarnTextLabel(text);
    label->setFont(TarnTextStyles::font(style));
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

std::vector<QString> PermissionStepsDialog::commands(bool ruleInstalled, const std::filesystem::path& ruleSource)
{
    std::vector<QString> lines;
    if (!ruleInstalled) {
        lines.push_back(QStringLiteral("sudo cp %1 /etc/udev/rules.d/").arg(shellQuoted(ruleSource)));
    }
    lines.push_back(QStringLiteral("sudo udevadm control --reload && sudo udevadm trigger"));
    lines.push_back(QStringLiteral("sudo usermod -aG input \"$USER\""));
    return lines;
}

void PermissionStepsDialog::present(QWidget& parent, TarnLanguage language)
{
    QWidget* window = parent.window();
    if (auto* shown = window->findChild<PermissionStepsDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    auto* dialog
        = new PermissionStepsDialog(language, isRuleInstalled(), ProgramResources::folder() / kRuleName, window);
    dialog->show();
}

bool PermissionStepsDialog::isRuleInstalled(const std::filesystem::path& root)
{
    // The folders udev reads rules from; /usr/local is not one of them.
    constexpr std::array kFolders {"etc/udev/rules.d", "usr/lib/udev/rules.d", "lib/udev/rules.d", "run/udev/rules.d"};
    std::error_code error;
    for (const char* folder : kFolders) {
        if (std::filesystem::exists(root / folder / kRuleName, error)) {
            return true;
        }
    }
    return false;
}

PermissionStepsDialog::PermissionStepsDialog(
    TarnLanguage language, bool ruleInstalled, const std::filesystem::path& ruleSource, QWidget* parent)
    : QDialog(parent)
    , m_language(language)
{
    setObjectName(QStringLiteral("permissionStepsDialog"));
    setWindowTitle(tarnQText("Input Permission", "Girdi İzni", language));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(560);

    QStringList lines;
    for (const auto& line : commands(ruleInstalled, ruleSource)) {
        lines << line;
    }
    m_commandText = lines.join(QLatin1Char('\n'));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 22, 24, 20);
    column->setSpacing(12);
    column->addWidget(
        makeLabel(tarnQText("Give TarnInput access to your mouse", "TarnInput'a farenize erişim verin", language),
            TarnTextStyle::title3, TarnGlassTokens::textPrimary()));
    column->addWidget(makeLabel(tarnQText("Linux lets only members of the input group read pointing devices and post "
                                          "input. Run these commands in a terminal, then log out and in again. "
                                          "TarnInput notices the permission by itself; no restart is needed.",
                                    "Linux, işaretçi aygıtlarını okuma ve girdi gönderme iznini yalnızca input "
                                    "grubunun üyelerine verir. Bu komutları bir uçbirimde çalıştırın, sonra oturumu "
                                    "kapatıp yeniden açın. TarnInput izni kendiliğinden fark eder; yeniden "
                                    "başlatmak gerekmez.",
                                    language),
        TarnTextStyle::callout, TarnGlassTokens::textSecondary()));

    auto* commandsLabel = makeLabel(m_commandText, TarnTextStyle::callout, TarnGlassTokens::textPrimary());
    commandsLabel->setObjectName(QStringLiteral("permissionCommands"));
    commandsLabel->setFont(TarnTextStyles::font(TarnTextStyle::callout, TarnFontDesign::monospaced));
    commandsLabel->setWordWrap(false);
    commandsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Commands read left to right in every language.
    commandsLabel->setLayoutDirection(Qt::LeftToRight);
    commandsLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    commandsLabel->setMargin(12);
    commandsLabel->setAutoFillBackground(true);
    QPalette commandsPalette = commandsLabel->palette();
    commandsPalette.setColor(QPalette::Window, TarnGlassTokens::surface2());
    commandsLabel->setPalette(commandsPalette);
    column->addWidget(commandsLabel);

    column->addWidget(makeLabel(tarnQText("Anything that can read input devices can read what you type, so grant this "
                                          "only on your own computer.",
                                    "Girdi aygıtlarını okuyabilen her şey yazdıklarınızı da okuyabilir; bu izni "
                                    "yalnızca kendi bilgisayarınızda verin.",
                                    language),
        TarnTextStyle::footnote, TarnGlassTokens::textMuted()));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_copyButton = new TarnGlassButton;
    m_copyButton->setObjectName(QStringLiteral("copyPermissionCommands"));
    m_copyButton->setText(tarnQText("Copy Commands", "Komutları Kopyala", language));
    connect(m_copyButton, &QPushButton::clicked, this, &PermissionStepsDialog::onCopyClicked);
    buttons->addWidget(m_copyButton);
    auto* done = new TarnPrimaryButton;
    done->setObjectName(QStringLiteral("closePermissionSteps"));
    done->setText(tarnQText("Done", "Tamam", language));
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(done);
    column->addLayout(buttons);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x16, 0x1A, 0x24));
    setPalette(palette);
    setAutoFillBackground(true);
}

void PermissionStepsDialog::onCopyClicked()
{
    QGuiApplication::clipboard()->setText(m_commandText);
    m_copyButton->setText(tarnQText("Copied", "Kopyalandı", m_language));
}

} // namespace tarn::input
