#pragma once

// The text rules of freedesktop desktop entries that both the entries we read (installed
// applications) and the one we write (the autostart entry) follow.

#include <string>
#include <string_view>

namespace tarn::DesktopEntrySyntax {

// Without the blanks around a line, key or value (spaces, tabs and a carriage return).
std::string_view trimmed(std::string_view text);

// A string value with its escapes written out, so that no value can end its line or start a key
// of its own; a leading space would be trimmed away by readers, so it is escaped too.
std::string escaped(std::string_view text);

// A string value with its escapes (\s \n \t \r \\) read back; an unknown escape stands for the
// character after the backslash.
std::string unescaped(std::string_view value);

} // namespace tarn::DesktopEntrySyntax
