#include "TarnInputCore/Model/Keys/KeyCodeOption.h"

#include "TarnInputCore/Model/Keys/PostedKeys.h"

namespace tarn::input {

const std::vector<KeyCodeOption>& commonKeyOptions()
{
    static const std::vector<KeyCodeOption> options {
        {0, "A"},
        {8, "C"},
        {3, "F"},
        {40, "K"},
        {37, "L"},
        {45, "N"},
        {35, "P"},
        {15, "R"},
        {1, "S"},
        {17, "T"},
        {9, "V"},
        {13, "W"},
        {7, "X"},
        {6, "Z"},
        {20, "3"},
        {21, "4"},
        {23, "5"},
        {49, "Space"},
        {36, "Return (↩)"},
        {48, "Tab (⇥)"},
        {53, "Escape (⎋)"},
        {51, "Delete (⌫)"},
        {123, "Left (←)"},
        {124, "Right (→)"},
        {126, "Up (↑)"},
        {125, "Down (↓)"},
        {33, "["},
        {30, "]"},
    };
    return options;
}

std::string_view KeyCodeOption::shownLabel() const
{
    return linuxKeyName(keyCode).value_or(label);
}

} // namespace tarn::input
