#pragma once

// A screen over a view model of its own, built by the caller from the services that view model
// uses. The screen owns the view model: the two go together when another tab is chosen.

#include <memory>

#include <QColor>
#include <QWidget>

namespace tarn::input {

template <typename Screen, typename ViewModel>
Screen* screenOverViewModel(std::unique_ptr<ViewModel> viewModel, QColor accent, QWidget* parent = nullptr)
{
    auto* screen = new Screen(*viewModel, accent, parent);
    viewModel.release()->setParent(screen);
    return screen;
}

} // namespace tarn::input
