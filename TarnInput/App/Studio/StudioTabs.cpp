#include "TarnInput/App/Studio/StudioTabs.h"

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
        return screenOverViewModel<DevicesAndDiagnosticsView, HardwareViewModel>(viewModel, accent, parent);
    case InputStudioTab::scroll:
        return screenOverViewModel<ScrollEngineView, ScrollViewModel>(viewModel, accent, parent);
    case InputStudioTab::buttons:
        return screenOverViewModel<MouseButtonsView, ButtonsViewModel>(viewModel, accent, parent);
    case InputStudioTab::gestures:
        return screenOverViewModel<GestureChordsAndDevicesView, ButtonsViewModel>(viewModel, accent, parent);
    case InputStudioTab::keyHUD:
        return screenOverViewModel<KeyHUDConfigView, KeyHUDViewModel>(viewModel, accent, parent);
    case InputStudioTab::settings:
        return screenOverViewModel<InputSettingsView, SettingsViewModel>(viewModel, accent, parent);
    case InputStudioTab::profiles:
        break;
    }
    return screenOverViewModel<ProfilesAndMacrosView, ProfilesViewModel>(viewModel, accent, parent);
}

} // namespace tarn::input
