#pragma once

// Qt names the key with the Windows logo "Meta" in the shortcuts menus show; Linux desktops,
// and this program's own texts, call it Super. Installed once on the application.

#include <QTranslator>

namespace tarn::input {

class SuperKeyNames final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(
        const char* context, const char* sourceText, const char* disambiguation = nullptr, int n = -1) const override;
};

} // namespace tarn::input
