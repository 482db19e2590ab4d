#pragma once

// The tray icon's popover: whether the tap runs, the primary pointing device, the frontmost
// application with the profile that applies to it, six switches for the main features (each
// writes one setting through the view model's settings-change path, without a toast), and the
// "Open Studio" and "Quit" buttons. It keeps no state of its own and follows the view model's
// change signals. The view model must outlive it; build it on the main thread.

#include <array>
#include <functional>
#include <string_view>

#include <QColor>
#include <QWidget>

#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"

class QAbstractButton;
class QLabel;

namespace tarn {
class TarnGlassButton;
class TarnGroundBackground;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class StatusDot;
class SymbolLabel;

class MenuBarInputPopoverView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 295;
    static constexpr int kPadding = 14;
    static constexpr int kSpacing = 10;

    struct Switch {
        std::string_view en;
        std::string_view tr;
        QuickSwitch which;
        // The check box's object name.
        const char* name;
    };
    static const std::array<Switch, 6> kSwitches;

    MenuBarInputPopoverView(TrayViewModel& viewModel, std::function<void()> onOpenStudio, std::function<void()> onQuit,
        QWidget* parent = nullptr);

    // The width is fixed, so the height is the one the rows need at that width (a long switch
    // label takes two lines).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildDeviceRow();
    QWidget* buildProfileRow();
    QWidget* buildButtons();
    void syncTexts();
    void syncSwitches();
    void syncDevice();
    void syncProfile();
    void syncTap();

    TrayViewModel& m_viewModel;
    std::function<void()> m_onOpenStudio;
    std::function<void()> m_onQuit;
    const QColor m_accent;

    TarnGroundBackground* m_ground = nullptr;
    StatusDot* m_statusDot = nullptr;
    QWidget* m_deviceRow = nullptr;
    SymbolLabel* m_deviceSymbol = nullptr;
    QLabel* m_deviceName = nullptr;
    QLabel* m_deviceDetail = nullptr;
    QLabel* m_battery = nullptr;
    SymbolLabel* m_profileSymbol = nullptr;
    QLabel* m_appName = nullptr;
    QLabel* m_profileName = nullptr;
    std::array<QAbstractButton*, 6> m_switchBoxes {};
    TarnPrimaryButton* m_openStudio = nullptr;
    TarnGlassButton* m_quit = nullptr;
};

} // namespace tarn::input
