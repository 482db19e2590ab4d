#include "TarnInput/App/StudioTabs.h"

#include <QLabel>
#include <QVBoxLayout>

#include "TarnInput/Screens/DevicesAndDiagnosticsView.h"
#include "TarnInput/Screens/GestureChordsAndDevicesView.h"
#include "TarnInput/Screens/InputSettingsView.h"
#include "TarnInput/Screens/KeyHUDConfigView.h"
#include "TarnInput/Screens/MouseButtonsView.h"
#include "TarnInput/Screens/ScrollEngineView.h"
#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInput/Screens/Widgets/ScreenParts.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/UI/TarnGlassCard.h"
#include "TarnKit/UI/TarnGlassTokens.h"

namespace tarn::input {

namespace {

// A screen page holding one glass card with the tab's name in the current language.
QWidget* placeholderScreen(InputStudioTab tab, InputStudioViewModel& viewModel, QWidget* parent)
{
    const auto& info = studioTabInfo(tab);
    auto* page = new ScreenPage(parent);
    page->setObjectName(QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size())) + "Screen");
    QVBoxLayout* column = nullptr;
    auto* card = makeScreenCard(10, &column);
    auto* title = makeTextLabel(15, QFont::Bold, TarnGlassTokens::textPrimary(), false);
    title->setObjectName("placeholderTitle");
    title->setText(screenText(info.en, info.tr, viewModel.language()));
    QObject::connect(&viewModel, &InputStudioViewModel::languageChanged, title,
        [title, &viewModel, &info] { title->setText(screenText(info.en, info.tr, viewModel.language())); });
    column->addWidget(title);
    page->addSection(card);
    return page;
}

} // namespace

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
        return new DevicesAndDiagnosticsView(viewModel, accent, parent);
    case InputStudioTab::scroll:
        return new ScrollEngineView(viewModel, accent, parent);
    case InputStudioTab::buttons:
        return new MouseButtonsView(viewModel, accent, parent);
    case InputStudioTab::gestures:
        return new GestureChordsAndDevicesView(viewModel, accent, parent);
    case InputStudioTab::keyHUD:
        return new KeyHUDConfigView(viewModel, accent, parent);
    case InputStudioTab::settings:
        return new InputSettingsView(viewModel, accent, parent);
    case InputStudioTab::profiles:
        break;
    }
    return placeholderScreen(tab, viewModel, parent);
}

} // namespace tarn::input
