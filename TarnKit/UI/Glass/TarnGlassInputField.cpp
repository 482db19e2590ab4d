#include "TarnKit/UI/Glass/TarnGlassInputField.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

constexpr double kFontSize = 12.5;
const char* const kDecorationName = "tarnGlassInputFieldBackground";

// Paints the glass shape under the line edit's own text painting: the filter sees the paint
// event first and lets it through.
class GlassFieldBackground final : public QObject {
public:
    GlassFieldBackground(QLineEdit* field, double cornerRadius)
        : QObject(field)
        , m_cornerRadius(cornerRadius)
    {
        setObjectName(QString::fromLatin1(kDecorationName));
    }

    void setCornerRadius(double cornerRadius) { m_cornerRadius = cornerRadius; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (auto* field = qobject_cast<QWidget*>(watched)) {
                QPainter painter(field);
                TarnContinuousShape::paintRoundedRect(painter, QRectF(field->rect()), m_cornerRadius,
                    TarnGlassTokens::surface2(), TarnGlassTokens::borderSubtle());
            }
        }
        return false;
    }

private:
    double m_cornerRadius;
};

} // namespace

void tarnGlassInputField(QLineEdit* field, double cornerRadius, double horizontalPadding, double verticalPadding)
{
    if (field == nullptr) {
        return;
    }
    field->setFrame(false);
    field->setFont(TarnTextStyles::systemFont(kFontSize));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, TarnGlassTokens::textPrimary());
    palette.setColor(QPalette::PlaceholderText, TarnGlassTokens::textMuted());
    field->setPalette(palette);
    field->setAttribute(Qt::WA_TranslucentBackground);
    const int horizontal = qRound(horizontalPadding);
    const int vertical = qRound(verticalPadding);
    field->setTextMargins(horizontal, vertical, horizontal, vertical);

    auto* background = dynamic_cast<GlassFieldBackground*>(
        field->findChild<QObject*>(QString::fromLatin1(kDecorationName), Qt::FindDirectChildrenOnly));
    if (background == nullptr) {
        background = new GlassFieldBackground(field, cornerRadius);
        field->installEventFilter(background);
    } else {
        background->setCornerRadius(cornerRadius);
    }
    field->update();
}

} // namespace tarn
