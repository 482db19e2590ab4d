#pragma once

// Turns a plain line edit into a glass input field: no platform frame, 12.5 px text in
// textPrimary, the given padding, over a continuous rounded rectangle filled with surface2 and
// bordered inside with borderSubtle at width 1.

class QLineEdit;

namespace tarn {

// Padding is in logical pixels and rounds to whole pixels. Applying it again replaces the
// previous corner radius and padding.
void tarnGlassInputField(QLineEdit* field, double cornerRadius, double horizontalPadding, double verticalPadding);

} // namespace tarn
