#pragma once

// Well-known Linux application ids and the identifiers the built-in profile templates and the
// default scroll exclusions name those applications by, so that they match the real programs as
// written. A Linux id is a desktop-file id or, without one, a WM_CLASS; it is compared without
// regard to letter case. Applications that do not exist on Linux have no entry.

#include <optional>
#include <string_view>

namespace tarn::input {

class LinuxApplicationAliases {
public:
    LinuxApplicationAliases() = delete;

    // The identifier `linuxID` is known by in profiles and exclusions; absent when it has none.
    static std::optional<std::string_view> aliasFor(std::string_view linuxID);
};

} // namespace tarn::input
