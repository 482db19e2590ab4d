#pragma once

// The desktop's file dialog as the screenshot picker: modal over its parent, several existing
// files, one filter of PNG, JPEG, WebP and GIF. Linux file names are case-sensitive and cameras
// and other systems often write "IMG_0001.JPG", so the filter matches the extensions in any case.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "TarnKit/Feedback/Composer/ScreenshotFilePicker.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

class QtScreenshotFilePicker final : public ScreenshotFilePicker {
public:
    // The dialog's title is the sheet's "Choose Image…" in `language`.
    QtScreenshotFilePicker(QWidget* parent, TarnLanguage language);

    std::optional<std::vector<std::filesystem::path>> chooseImages() override;

    // "*.[pP][nN][gG]" and so on: png, jpg, jpeg, webp, gif.
    static QStringList namePatterns();
    // One name filter, "PNG, JPEG, WebP, GIF (<patterns>)".
    static QString nameFilter();

private:
    QPointer<QWidget> m_parent;
    TarnLanguage m_language;
};

} // namespace tarn
