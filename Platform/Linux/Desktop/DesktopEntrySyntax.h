#pragma once

// The text rules of freedesktop desktop entries that both the entries we read (installed
// applications) and the one we write (the autostart entry) follow.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::DesktopEntrySyntax {

// Without the blanks around a line, key or value (spaces, tabs and a carriage return).
std::string_view trimmed(std::string_view text);

// A string value with its escapes written out, so that no value can end its line or start a key
// of its own; a leading space would be trimmed away by readers, so it is escaped too.
std::string escaped(std::string_view text);

// A string value with its escapes (\s \n \t \r \\) read back; an unknown escape stands for the
// character after the backslash.
std::string unescaped(std::string_view value);

// What an Exec command line's field codes stand for when an entry is started without files.
struct ExecFields {
    std::string name; // %c: the entry's Name in the user's language
    std::string icon; // %i: the entry's Icon; none when empty
    std::string location; // %k: where the entry file is
};

// The Exec value for one program path, as written into an entry: quoted when it holds a reserved
// character, with the quoting's own escapes and field codes' "%%", then the string escapes.
std::string execValue(std::string_view program);

// The program and its arguments from an Exec value as it stands in the entry: the string escapes
// read first (a backslash before any other character is left for the quoting), then the quoting
// undone, then the field codes expanded for a start without files or addresses (%f %F %u %U
// and the deprecated codes dropped). Absent when the value is no valid command line: nothing in
// it, an open quote, an escape inside quotes other than \" \` \$ \\, a field code it does not
// know or %i inside an argument, or a program name holding "=". Nothing is handed to a shell.
std::optional<std::vector<std::string>> execArguments(std::string_view value, const ExecFields& fields);

} // namespace tarn::DesktopEntrySyntax
