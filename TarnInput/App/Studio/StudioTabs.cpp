#include "TarnInput/App/Studio/StudioTabs.h"

#include <memory>

#include "TarnInput/Screens/GestureChordsAndDevicesView.h"
#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"
#include "TarnInput/Screens/InputSettingsView.h"
#include "TarnInput/Screens/KeyHUDConfigView.h"
#include "TarnInput/Screens/MouseButtonsView.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/ScreenOverViewModel.h"
#include "TarnInput/Screens/ScrollEngineView.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"

namespace tarn::input {

const StudioTabInfo& studioTabInfo(InputStudioTab tab)
{
    for (const auto& info : kStudioTabs) {
        if (info.tab == tab) {
            return info;
        }
    }
    return kStudioTabs.front();
}

QWidget* createStudioScreen(InputStudioTab tab, InputStudioViewModel& viewModel, QColor accent, QWidget* parent)
{
    switch (tab) {
    case InputStudioTab::hardware:
        return screenOverViewModel<DevicesAndDiagnosticsView>(
            std::make_unique<HardwareViewModel>(viewModel, viewModel, viewModel), accent, parent);
    case InputStudioTab::scroll:
        return screenOverViewModel<ScrollEngineView>(
            std::make_unique<ScrollViewModel>(viewModel, viewModel), accent, parent);
    case InputStudioTab::buttons:
        return screenOverViewModel<MouseButtonsView>(
            std::make_unique<ButtonsViewModel>(viewModel, viewModel, viewModel), accent, parent);
    case InputStudioTab::gestures:
        return screenOverViewModel<GestureChordsAndDevicesView>(
            std::make_unique<ButtonsViewModel>(viewModel, viewModel, viewModel), accent, parent);
    case InputStudioTab::keyHUD:
        return screenOverViewModel<KeyHUDConfigView>(
            std::make_unique<KeyHUDViewModel>(viewModel, viewModel), accent, parent);
    case InputStudioTab::settings:
        return screenOverViewModel<InputSettingsView>(
            std::make_unique<SettingsViewModel>(viewModel, viewModel), accent, parent);
    case InputStudioTab::profiles:
        break;
    }
    return screenOverViewModel<ProfilesAndMacrosView>(
        std::make_unique<ProfilesViewModel>(viewModel, viewModel, viewModel, viewModel), accent, parent);
}

} // namespace tarn::input
