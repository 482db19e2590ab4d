#pragma once

// A short message in a dark capsule: a warning triangle in the warning colour for an error,
// otherwise a check in the success colour, then the message as given (never translated here),
// callout medium, white. It has no timer and no close control: its owner shows and hides it.

#include <QString>
#include <QWidget>

namespace tarn {

class TarnToastBanner : public QWidget {
    Q_OBJECT

public:
    static constexpr double kHorizontalPadding = 16.0;
    static constexpr double kVerticalPadding = 10.0;
    static constexpr double kSpacing = 8.0;
    static constexpr double kFillOpacity = 0.84;
    static constexpr double kShadowOpacity = 0.35;
    static constexpr double kShadowBlurRadius = 12.0;
    static constexpr double kShadowOffsetY = 4.0;

    TarnToastBanner(const QString& message, bool isError, QWidget* parent = nullptr);

    QString message() const { return m_message; }
    bool isError() const { return m_isError; }
    void setMessage(const QString& message);
    void setError(bool isError);

    // The symbol shown and its colour.
    const char* symbolName() const;
    QColor symbolColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Given less width than its one line needs, the message wraps onto more lines.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont messageFont() const;
    double iconSide() const;
    QRectF textBounds(double availableWidth) const;

    QString m_message;
    bool m_isError;
};

} // namespace tarn
