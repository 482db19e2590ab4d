#pragma once

// Numbers as text for log lines and messages, independent of the user's locale.

#include <string>

namespace tarn {

class NumberText {
public:
    // Rounded half away from zero and written without a fraction or a sign on zero: 45.5 → "46",
    // -2.5 → "-3", -0.4 → "0", 1e20 → "100000000000000000000". Values that are not finite are
    // written as "inf", "-inf" and "nan".
    static std::string roundedWhole(double value);
    // The same text appended to `text`; allocates only when `text` has no room left.
    static void appendRoundedWhole(std::string& text, double value);
};

} // namespace tarn
