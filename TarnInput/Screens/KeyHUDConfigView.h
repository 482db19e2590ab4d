#pragma once

// The studio's KeyHUD tab: the presentation overlays (the keystroke pill and the click ripple),
// their switches, the pill's placement and how long it stays, a preview button, and the newest
// lines of what the engine did. Widgets are built once and show the view model's settings,
// updated in place on each change; only the user's actions write, one field at a time.
// The view model must outlive it; build it on the main thread.

#include <array>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

class QAbstractButton;
class QLabel;

namespace tarn {
class TarnCardHeader;
class TarnGlassCard;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class ContinuousSlider;
class KeyHUDViewModel;
class SegmentedPicker;

class KeyHUDConfigView : public ScreenPage {
    Q_OBJECT

public:
    static constexpr double kShortestDuration = 0.7;
    static constexpr double kLongestDuration = 4.0;
    // Tenths of a second, as the value text shows them.
    static constexpr double kDurationStep = 0.1;
    // How many of the newest event lines the activity card shows.
    static constexpr std::size_t kShownEvents = 8;

    KeyHUDConfigView(KeyHUDViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    // "2.5s": the duration with one decimal.
    static QString durationText(double seconds);

private:
    QWidget* buildOverlayCard();
    QWidget* buildActivityCard();
    QAbstractButton* settingToggle(const char* name, void (KeyHUDViewModel::*set)(bool));
    void syncTexts();
    void syncSettings();
    void syncEvents();

    KeyHUDViewModel& m_viewModel;
    QColor m_accent;

    TarnCardHeader* m_title = nullptr;
    TarnPrimaryButton* m_preview = nullptr;
    QLabel* m_description = nullptr;
    QAbstractButton* m_enableHUD = nullptr;
    QAbstractButton* m_enableRipple = nullptr;
    QAbstractButton* m_shortcutsOnly = nullptr;
    QAbstractButton* m_hideInSecureFields = nullptr;
    QLabel* m_placementCaption = nullptr;
    SegmentedPicker* m_placement = nullptr;
    QLabel* m_durationCaption = nullptr;
    ContinuousSlider* m_durationSlider = nullptr;
    QLabel* m_durationValue = nullptr;

    TarnGlassCard* m_activityCard = nullptr;
    QLabel* m_activityTitle = nullptr;
    std::array<QLabel*, kShownEvents> m_eventLines {};
};

} // namespace tarn::input
