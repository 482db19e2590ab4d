// Renders the version-and-logs sheet at its minimum width with a few sample releases and log
// entries, in English, Turkish and Arabic, to three PNGs, for looking at it without running the
// application.
//
//   QT_QPA_PLATFORM=offscreen TarnVersionSheetPreview [output-prefix]   (writes <prefix>-en.png, -tr.png, -ar.png)

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QPixmap>

#include "TarnKit/UI/Version/TarnVersionAndLogsView.h"
#include "TarnKit/UI/Version/TarnVersionBadgeButton.h"

namespace {

using namespace tarn;

std::vector<TarnReleaseLogRecord> sampleReleases()
{
    TarnReleaseLogRecord newest;
    newest.timestamp = "2026-12-09T10:00:00Z";
    newest.app = "TarnInput";
    newest.toVersion = "1.4.0";
    newest.toBuild = 57;
    newest.bumpKind = "minor";
    newest.section = "Added";
    newest.summary = "Version sheet and feedback page";
    newest.summaryI18n = {{"tr", "Sürüm sayfası ve geri bildirim sayfası"}};
    newest.details = {"Logs can be filtered, copied and cleared", "Feedback opens in the browser"};
    newest.detailsI18n
        = {{"tr", {"Loglar süzülüp kopyalanabilir ve temizlenebilir", "Geri bildirim tarayıcıda açılır"}}};
    TarnReleaseLogRecord older = newest;
    older.timestamp = "2026-11-20T08:00:00Z";
    older.toVersion = "1.3.2";
    older.toBuild = 51;
    older.bumpKind = "patch";
    older.section = "Fixed";
    older.summary = "Smoother wheel on high-resolution mice";
    older.summaryI18n = {{"tr", "Yüksek çözünürlüklü farelerde daha akıcı tekerlek"}};
    older.details = {};
    older.detailsI18n = {};
    return {newest, older};
}

void render(TarnAppLogger& logger, TarnLanguage language, const QString& file)
{
    TarnVersionSheetServices services;
    services.revealLogFolder = [] {};
    services.loadReleases = [](std::string_view) { return std::vector<TarnReleaseLogRecord> {}; };
    TarnVersionAndLogsView view(
        "TarnInput", TarnAppVersion {"1.4.0", "57"}, logger, TarnProductPalette::deepAbyss, language, sampleReleases(),
        [] {}, services);
    // As narrow as the sheet gets, and tall enough to show all of it.
    view.resize(TarnVersionBadgeButton::kSheetMinimumWidth, 1000);
    view.show();
    // Rows added while the view is visible show on the next turn of the event loop.
    QApplication::processEvents();
    view.grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tarn-version-sheet");
    std::string pattern = (std::filesystem::temp_directory_path() / "tarn-sheet-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    TarnAppLogger logger("TarnInput", folder, 1 << 20, 1, [] { return TarnAppVersion {"1.4.0", "57"}; });
    logger.info("TarnInput v1.4.0 (57) launched (Linux 6.1.0, Debian GNU/Linux 12)", "lifecycle");
    logger.info("Event tap started", "tap");
    logger.debug("Profile resolved for org.mozilla.firefox", "profile");
    logger.warn("Swallowed a bounce of button 0 after 31 ms", "debounce");
    logger.error("Macro \"Paste twice\" refused: empty step list", "macro");
    logger.error("Settings could not be saved to "
                 "/home/someone/.config/Harrowfen/TarnInput/a-folder-with-a-long-name/input-settings.json",
        "settings");
    render(logger, TarnLanguage::en, prefix + QStringLiteral("-en.png"));
    render(logger, TarnLanguage::tr, prefix + QStringLiteral("-tr.png"));
    render(logger, TarnLanguage::ar, prefix + QStringLiteral("-ar.png"));
    std::filesystem::remove_all(folder);
    return 0;
}
