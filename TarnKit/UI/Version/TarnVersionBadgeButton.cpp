#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QMouseEvent>

#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/UI/Buttons/TarnFeedbackButton.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Version/TarnVersionBadge.h"

namespace tarn {

TarnVersionBadgeButton::TarnVersionBadgeButton(std::string appName, TarnAppVersion version, TarnAppLogger* logger,
    TarnProductPalette palette, TarnLanguage language, bool showBuild, bool showFeedbackButton,
    TarnVersionAndLogsView::Services services, QWidget* parent)
    : QWidget(parent)
    , m_appName(std::move(appName))
    , m_version(std::move(version))
    , m_logger(logger != nullptr ? *logger : TarnAppLogger::shared(m_appName))
    , m_palette(palette)
    , m_language(language)
    , m_services(std::move(services))
    , m_badge(new TarnVersionBadge(m_version, showBuild))
{
    setObjectName(QStringLiteral("versionBadgeButton"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    m_badge->setObjectName(QStringLiteral("versionBadge"));
    m_badge->setToolTip(helpText(m_version, m_language));
    m_badge->setCursor(Qt::PointingHandCursor);
    m_badge->installEventFilter(this);
    row->addWidget(m_badge, 0, Qt::AlignVCenter);
    if (showFeedbackButton) {
        row->addWidget(new TarnFeedbackButton(m_appName, m_version, TarnFeedbackKind::feature, m_language,
                           TarnFeedbackButtonStyle::compactIcon, std::nullopt, nullptr, m_services.feedback),
            0, Qt::AlignVCenter);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString TarnVersionBadgeButton::helpText(const TarnAppVersion& version, TarnLanguage language)
{
    // Both texts are built whole before the choice, as a language pack's template expects.
    const std::string en = "Version " + version.detailedDisplay() + " — Click to view Release History & Logs";
    const std::string tr = "Sürüm " + version.detailedDisplay() + " — Sürüm Geçmişi ve Logları görmek için tıklayın";
    return tarnQText(en, tr, language);
}

void TarnVersionBadgeButton::presentSheet()
{
    if (m_sheet) {
        m_sheet->raise();
        m_sheet->activateWindow();
        return;
    }
    auto* sheet = new QDialog(window());
    sheet->setObjectName(QStringLiteral("versionSheet"));
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    // The sheet draws its own title and close button; a window manager's frame would be a second.
    sheet->setWindowFlag(Qt::FramelessWindowHint);
    sheet->setMinimumSize(kSheetMinimumWidth, kSheetMinimumHeight);
    sheet->setWindowTitle(toQString(m_appName + " · " + tarnText("Version & Logs", "Sürüm & Loglar", m_language)));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new TarnVersionAndLogsView(
        m_appName, m_version, m_logger, m_palette, m_language, {}, [sheet] { sheet->close(); }, m_services));
    m_sheet = sheet;
    sheet->show();
}

TarnVersionAndLogsView* TarnVersionBadgeButton::sheetView() const
{
    return m_sheet ? m_sheet->findChild<TarnVersionAndLogsView*>() : nullptr;
}

bool TarnVersionBadgeButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_badge && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_badge->rect().contains(mouse->position().toPoint())) {
            presentSheet();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarn
