#pragma once

// The studio's Scroll tab: wheel and trackpad direction, Shift+wheel and Option+wheel, smooth
// scrolling with its speed and glide, the applications excluded from smoothing, and a sandbox to
// scroll in. Widgets are built once and show the view model's settings, updated in place on each
// change; only the user's actions write.
// The view model must outlive it; build it on the main thread.

#include <string>
#include <vector>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

class QCheckBox;
class QLabel;

namespace tarn {
class TarnCardHeader;
}

namespace tarn::input {

class AdaptiveGridLayout;
class ContinuousSlider;
class ScrollViewModel;
class RunningAppsMenuButton;

class ScrollEngineView : public ScreenPage {
    Q_OBJECT

public:
    static constexpr int kSandboxRows = 28;

    ScrollEngineView(ScrollViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    // "1.35×": the multiplier with two decimals.
    static QString speedText(double multiplier);
    // "22%": the rate as a rounded percentage; any stored double draws.
    static QString glideText(double decayRate);

private:
    QWidget* buildDirectionCard();
    QWidget* buildSmoothingCard();
    QWidget* buildExclusionsCard();
    QWidget* buildSandboxCard();
    QCheckBox* settingToggle(const char* name, void (ScrollViewModel::*set)(bool));
    void syncTexts();
    void syncSettings();
    void syncExclusions();

    ScrollViewModel& m_viewModel;
    QColor m_accent;

    TarnCardHeader* m_directionTitle = nullptr;
    QLabel* m_directionExplanation = nullptr;
    QCheckBox* m_reverseWheel = nullptr;
    QCheckBox* m_reverseTrackpad = nullptr;
    QCheckBox* m_shiftHorizontal = nullptr;
    QCheckBox* m_optionZoom = nullptr;

    TarnCardHeader* m_smoothingTitle = nullptr;
    QCheckBox* m_smoothScroll = nullptr;
    QLabel* m_speedCaption = nullptr;
    ContinuousSlider* m_speedSlider = nullptr;
    QLabel* m_speedValue = nullptr;
    QLabel* m_glideCaption = nullptr;
    ContinuousSlider* m_glideSlider = nullptr;
    QLabel* m_glideValue = nullptr;

    TarnCardHeader* m_exclusionsTitle = nullptr;
    RunningAppsMenuButton* m_excludeMenu = nullptr;
    QWidget* m_chipGrid = nullptr;
    AdaptiveGridLayout* m_chipLayout = nullptr;
    std::vector<std::string> m_shownExclusions;

    QLabel* m_sandboxTitle = nullptr;
    std::vector<QLabel*> m_sandboxTexts;
};

} // namespace tarn::input
