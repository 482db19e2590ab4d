#pragma once
// The rounded card that shows one offload run of the memory application: step, phase, bytes,
// percentage, bar, detail and, in the full layout, the four step pills; "Cancel" while the run
// goes on and a close button after it.
#include <functional>

#include <QRectF>
#include <QWidget>

#include "TarnKit/Suite/Views/Presentation/TarnOffloadProgressBannerPresentation.h"

namespace tarn {

class TarnOffloadProgressBanner final : public QWidget {
public:
    TarnOffloadProgressBanner(const TarnMemoryOffloadLiveProgress& progress, TarnLanguage language, bool compact,
        std::function<void()> onCancel, std::function<void()> onDismiss, QWidget* parent = nullptr);

    const TarnOffloadProgressBannerPresentation& presentation() const { return m_presentation; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // Where the header's button sits at the current width; empty without one.
    QRectF actionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double pillRows(double contentWidth) const;
    // Lines the detail takes: one when it fits, else as many as the layout allows.
    int detailLines(double contentWidth) const;

    TarnOffloadProgressBannerPresentation m_presentation;
    bool m_compact;
    std::function<void()> m_onCancel;
    std::function<void()> m_onDismiss;
};

} // namespace tarn
