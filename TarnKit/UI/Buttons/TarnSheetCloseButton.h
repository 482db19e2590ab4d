#pragma once

// The close cross at the end of a sheet's header: a click on it, or Escape pressed anywhere in
// the sheet, calls `onClose`.

#include <functional>

#include "TarnKit/UI/Buttons/TarnPlainSymbolButton.h"

namespace tarn {

class TarnSheetCloseButton : public TarnPlainSymbolButton {
    Q_OBJECT

public:
    TarnSheetCloseButton(QWidget& sheet, const std::function<void()>& onClose);
};

} // namespace tarn
