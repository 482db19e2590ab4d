#pragma once

// The studio's Profiles & Macro tab: a live banner of the application in front and what applies
// to it, the per-application profiles (built-in templates, an add-profile form, one editor card
// per profile) and, below them, the macro studio section. The screen stores nothing itself: each
// change is a view-model operation. Widgets are built once; a publish updates them in place and
// profile cards are kept by profile id, so a save never rebuilds the card under the user's
// pointer or takes the focus from a field being typed in.
// The view model must outlive it; build it on the main thread.

#include <array>
#include <vector>

#include <QColor>

#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInputCore/Model/Profiles/AppInputProfile.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace tarn {
class TarnCardHeader;
class TarnPrimaryButton;
} // namespace tarn

namespace tarn::input {

class AppProfileEditorCard;
class CapsuleChip;
class ProfilesViewModel;
class NewProfileFormState;
class RoundedPlate;
class RunningAppsMenuButton;
class SymbolLabel;

class ProfilesAndMacrosView : public ScreenPage {
    Q_OBJECT

public:
    ProfilesAndMacrosView(ProfilesViewModel& viewModel, QColor accent, QWidget* parent = nullptr);

    NewProfileFormState& form() { return *m_form; }

private:
    QWidget* buildBanner();
    QWidget* buildProfilesCard();
    QWidget* buildAddProfileRow();
    void addProfile();
    void syncTexts();
    void syncBanner();
    void syncTemplates();
    void syncProfiles();
    void syncForm();

    ProfilesViewModel& m_viewModel;
    QColor m_accent;
    NewProfileFormState* m_form;

    CapsuleChip* m_statusDot = nullptr;
    QLabel* m_liveLabel = nullptr;
    QLabel* m_frontmostName = nullptr;
    QLabel* m_frontmostBundle = nullptr;
    struct ResolutionChip {
        RoundedPlate* plate = nullptr;
        QLabel* label = nullptr;
        QLabel* value = nullptr;
    };
    // Wheel, Smooth, Speed, Macros.
    std::array<ResolutionChip, 4> m_resolutionChips {};
    RoundedPlate* m_statusCapsule = nullptr;
    SymbolLabel* m_statusText = nullptr;

    TarnCardHeader* m_profilesTitle = nullptr;
    CapsuleChip* m_profileCount = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_templatesTitle = nullptr;
    std::vector<QAbstractButton*> m_templateButtons;
    std::vector<AppInputProfile> m_templates;
    RunningAppsMenuButton* m_appMenu = nullptr;
    QLineEdit* m_nameField = nullptr;
    QLineEdit* m_bundleField = nullptr;
    TarnPrimaryButton* m_addProfile = nullptr;
    QLabel* m_emptyProfiles = nullptr;
    QVBoxLayout* m_profileCards = nullptr;
    std::vector<AppProfileEditorCard*> m_cards;
};

} // namespace tarn::input
