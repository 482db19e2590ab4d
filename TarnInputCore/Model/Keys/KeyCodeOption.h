#pragma once

// The keys offered by the macro step builder's key picker. The key code identifies a row: the
// list holds no key code twice.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::input {

struct KeyCodeOption {
    // The virtual key code posted for the key.
    std::uint16_t keyCode = 0;
    std::string label;

    // What the picker shows: the label, except that a key the label names by a glyph ("Return
    // (↩)") is named as on a Linux keyboard ("Enter").
    std::string_view shownLabel() const;

    bool operator==(const KeyCodeOption&) const = default;
};

// The 28 common keys in picker order, built once on first use.
const std::vector<KeyCodeOption>& commonKeyOptions();

} // namespace tarn::input
