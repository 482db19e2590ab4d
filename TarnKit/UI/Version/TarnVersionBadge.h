#pragma once

// The small capsule that shows an application's version, "v2.4.1" or with the build
// "v2.4.1 (77)", in 10 px semibold monospaced textSecondary on surface2 with a borderSubtle edge.
// It has the padded text's own size.

#include <QWidget>

#include "TarnKit/Foundation/Identity/TarnAppVersion.h"

namespace tarn {

class TarnVersionBadge : public QWidget {
    Q_OBJECT

public:
    static constexpr double kFontSize = 10.0;
    static constexpr double kHorizontalPadding = 7.0;
    static constexpr double kVerticalPadding = 2.5;

    TarnVersionBadge(TarnAppVersion version, bool showBuild, QWidget* parent = nullptr);

    const TarnAppVersion& version() const { return m_version; }
    bool showBuild() const { return m_showBuild; }
    // The text shown in the capsule.
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static QFont badgeFont();

    TarnAppVersion m_version;
    bool m_showBuild;
};

} // namespace tarn
