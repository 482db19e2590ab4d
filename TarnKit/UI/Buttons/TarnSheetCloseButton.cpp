#include "TarnKit/UI/Buttons/TarnSheetCloseButton.h"

#include <QKeySequence>
#include <QShortcut>

#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {

TarnSheetCloseButton::TarnSheetCloseButton(QWidget& sheet, const std::function<void()>& onClose)
    : TarnPlainSymbolButton("xmark.circle.fill", 18, TarnGlassTokens::textSecondary())
{
    setObjectName(QStringLiteral("closeButton"));
    connect(this, &QAbstractButton::clicked, this, [onClose] { onClose(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &sheet);
    escape->setObjectName(QStringLiteral("closeShortcut"));
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [onClose] { onClose(); });
}

} // namespace tarn
