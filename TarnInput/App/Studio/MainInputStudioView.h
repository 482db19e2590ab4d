#pragma once

// The studio window: frameless, with its own window buttons and header over the palette ground, a header (brand,
// version, subtitle, tab strip, engine pill), the input-permission banner while the permission is missing, the screen
// of the selected tab and the toast. It keeps no state of its own: everything is read from the
// view model and redrawn on its change signals. The screen of a tab is built the first time the
// tab is chosen and kept, hidden while another tab shows, for the window's life: a half-built
// form and a scroll position are there on return. A hidden screen still follows every change of
// the view model (language, settings), as it does while it shows.
// The view model and the kit's services must outlive it; build it on the main thread.

#include <array>

#include <QColor>
#include <QWidget>

#include "TarnInput/App/Studio/StudioTabs.h"
#include "TarnInput/App/StudioKit.h"
#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarWindow.h"

class QLabel;
class QVariantAnimation;
class QGraphicsOpacityEffect;
class QHBoxLayout;
class QVBoxLayout;

namespace tarn {
class TarnGroundBackground;
class TarnPrimaryButton;
class TarnToastBanner;
class TarnVersionBadgeButton;
} // namespace tarn

namespace tarn::input {

class ElidedLabel;
class EnginePillButton;
class InputStudioViewModel;
class StudioTabButton;

class MainInputStudioView : public TarnUnifiedTitlebarWindow {
    Q_OBJECT

public:
    // Wider than the design's 205: DejaVu Sans, the usual Linux interface font, sets the subtitle
    // about a fifth wider than the font the design was measured in, and the subtitle must not be
    // cut at the default window size.
    static constexpr int kBrandMaxWidth = 260;
    static constexpr int kToastBottomPadding = 22;

    MainInputStudioView(
        InputStudioViewModel& viewModel, QColor accent, const StudioKit& kit, QWidget* parent = nullptr);

    // The screen shown now.
    QWidget* currentScreen() const;
    // The subtitle under the title, in the current language.
    QString subtitleText() const;
    QWidget* header() const { return m_header; }
    QWidget* body() const { return m_body; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildBrandBlock();
    // The badge is made for one language: a new one replaces it when the language changes.
    void replaceVersionBadge();
    QWidget* buildPermissionBanner();
    void showSelectedScreen();
    void syncTexts();
    void syncSubtitle();
    void syncEngine();
    void syncBanner();
    void syncToast();
    void animateToast(bool entering);
    void placeToast(double progress);
    void onGrantPermissionClicked();

    InputStudioViewModel& m_viewModel;
    const QColor m_accent;
    const StudioKit m_kit;

    TarnGroundBackground* m_ground = nullptr;
    QWidget* m_header = nullptr;
    QWidget* m_body = nullptr;
    QVBoxLayout* m_bodyColumn = nullptr;
    QHBoxLayout* m_titleRow = nullptr;
    TarnVersionBadgeButton* m_versionBadge = nullptr;
    ElidedLabel* m_subtitle = nullptr;
    std::array<StudioTabButton*, kStudioTabs.size()> m_tabButtons {};
    EnginePillButton* m_enginePill = nullptr;
    QWidget* m_banner = nullptr;
    QLabel* m_bannerText = nullptr;
    TarnPrimaryButton* m_grantButton = nullptr;
    // In tab-strip order; null until a tab is first chosen. Children of the body.
    std::array<QWidget*, kStudioTabs.size()> m_screens {};
    TarnToastBanner* m_toast = nullptr;
    QGraphicsOpacityEffect* m_toastOpacity = nullptr;
    QVariantAnimation* m_toastAnimation = nullptr;
};

} // namespace tarn::input
