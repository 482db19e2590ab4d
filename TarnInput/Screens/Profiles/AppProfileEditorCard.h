#pragma once

// One per-application profile, edited in place: the enable switch, delete, three-way overrides of
// wheel direction and smoothing, an optional speed of its own and, per remappable button, an
// action override and (when macros exist) a macro binding. The card keeps the profile it was last
// shown by value; every edit copies it, changes one field and hands the whole profile back to the
// view model, which stores it and publishes new settings. The screen then passes the stored
// profile back with showProfile, which updates the controls without signalling.
// The view model must outlive it; build it on the main thread.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>

#include "TarnInput/Screens/Widgets/RoundedPlate.h"
#include "TarnInputCore/Model/Profiles/AppInputProfile.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tarn::input {

class CapsuleChip;
class ContinuousSlider;
class ProfilesViewModel;
class SwitchToggle;

// An optional Bool as a three-way choice, in the pickers' order.
enum class TriStateOverride { global, enabled, disabled };

inline constexpr std::array<TriStateOverride, 3> kAllTriStateOverrides {
    TriStateOverride::global, TriStateOverride::enabled, TriStateOverride::disabled};

TriStateOverride triStateOverride(std::optional<bool> value);
std::optional<bool> overrideValue(TriStateOverride state);

class AppProfileEditorCard : public RoundedPlate {
    Q_OBJECT

public:
    static constexpr double kSlowestSpeed = 0.5;
    static constexpr double kFastestSpeed = 3.5;
    static constexpr double kSpeedStep = 0.05;
    // Picker tags of "no action override" and "no macro binding".
    static constexpr std::string_view kGlobalActionTag = "__global__";
    static constexpr std::string_view kNoMacroTag = "__none__";

    AppProfileEditorCard(const AppInputProfile& profile, bool isCurrentlyActive, ProfilesViewModel& viewModel,
        QColor accent, QWidget* parent = nullptr);

    const AppInputProfile& profile() const { return m_profile; }
    bool isCurrentlyActive() const { return m_isCurrentlyActive; }
    // Shows the stored profile (same id) and whether it is the one in use; nothing is written.
    void showProfile(const AppInputProfile& profile, bool isCurrentlyActive);
    // Texts in the interface language, the macro choices as the settings hold them now.
    void syncTexts();

    // "1.35×": two decimals always.
    static QString speedText(double speed);

private:
    void buildHeader();
    void buildOverrides();
    void buildButtonRows();
    QComboBox* triStatePicker(const char* name, int width, std::optional<bool> AppInputProfile::*field);
    void edit(const std::function<void(AppInputProfile&)>& change);
    void chooseAction(std::int64_t button, const QString& tag);
    void chooseMacro(std::int64_t button, const QString& tag);
    void syncMacroEntries();
    void syncControls();

    ProfilesViewModel& m_viewModel;
    QColor m_accent;
    AppInputProfile m_profile;
    bool m_isCurrentlyActive;
    // The macros the macro pickers list, as (id, name).
    std::vector<std::pair<Uuid, std::string>> m_shownMacros;

    SwitchToggle* m_enabled = nullptr;
    QLabel* m_name = nullptr;
    CapsuleChip* m_activeBadge = nullptr;
    QLabel* m_bundle = nullptr;
    QLabel* m_wheelLabel = nullptr;
    QComboBox* m_wheel = nullptr;
    QLabel* m_smoothLabel = nullptr;
    QComboBox* m_smooth = nullptr;
    QCheckBox* m_customSpeed = nullptr;
    ContinuousSlider* m_speedSlider = nullptr;
    QLabel* m_speedValue = nullptr;
    std::array<QLabel*, 3> m_buttonLabels {};
    std::array<QComboBox*, 3> m_actionPickers {};
    std::array<QComboBox*, 3> m_macroPickers {};
};

} // namespace tarn::input
