#pragma once

// A screen over a view model of its own, made for it from the studio's state. The screen owns
// the view model: the two go together when another tab is chosen.

#include <QColor>
#include <QWidget>

namespace tarn::input {

class InputStudioViewModel;

template <typename Screen, typename ViewModel>
Screen* screenOverViewModel(InputStudioViewModel& studio, QColor accent, QWidget* parent = nullptr)
{
    auto* viewModel = new ViewModel(studio);
    auto* screen = new Screen(*viewModel, accent, parent);
    viewModel->setParent(screen);
    return screen;
}

} // namespace tarn::input
