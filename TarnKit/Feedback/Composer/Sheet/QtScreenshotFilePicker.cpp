#include "TarnKit/Feedback/Composer/Sheet/QtScreenshotFilePicker.h"

#include <array>

#include <QFile>
#include <QFileDialog>

#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {

QtScreenshotFilePicker::QtScreenshotFilePicker(QWidget* parent, TarnLanguage language)
    : m_parent(parent)
    , m_language(language)
{
}

QStringList QtScreenshotFilePicker::namePatterns()
{
    // Both cases of every letter: the platform dialogs and Qt's own match filters as written.
    QStringList patterns;
    for (const char* extension : std::array {"png", "jpg", "jpeg", "webp", "gif"}) {
        QString pattern = QStringLiteral("*.");
        for (const QChar letter : QString::fromLatin1(extension)) {
            pattern += QLatin1Char('[');
            pattern += letter;
            pattern += letter.toUpper();
            pattern += QLatin1Char(']');
        }
        patterns << pattern;
    }
    return patterns;
}

QString QtScreenshotFilePicker::nameFilter()
{
    return QStringLiteral("PNG, JPEG, WebP, GIF (") + namePatterns().join(QLatin1Char(' ')) + QLatin1Char(')');
}

std::optional<std::vector<std::filesystem::path>> QtScreenshotFilePicker::chooseImages()
{
    const QStringList files
        = QFileDialog::getOpenFileNames(m_parent, tarnQText("Choose Image…", "Görsel Seç…", m_language), QString(),
            nameFilter(), nullptr, QFileDialog::HideNameFilterDetails);
    if (files.isEmpty()) {
        return std::nullopt;
    }
    std::vector<std::filesystem::path> paths;
    paths.reserve(static_cast<std::size_t>(files.size()));
    for (const QString& file : files) {
        // The file system's own bytes, not a re-encoding of the name.
        const QByteArray encoded = QFile::encodeName(file);
        paths.emplace_back(std::string(encoded.constData(), static_cast<std::size_t>(encoded.size())));
    }
    return paths;
}

} // namespace tarn
