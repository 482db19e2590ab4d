#pragma once

// The desktop's settings (GSettings) read and written in this process through GIO, so that no
// helper program is started and a value the desktop does not have is simply absent. A schema or
// key that is not installed is looked up first and reported as missing: GIO would abort the
// program if asked for it directly. Values are written in GVariant's text form ('flat', 0.5,
// true), checked against the key's type and range.

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class GioSettings {
public:
    // The key's value in GVariant's text form, without type annotations.
    static std::optional<std::string> text(std::string_view schema, std::string_view key);
    // The value of a key that holds a string, as the string itself.
    static std::optional<std::string> string(std::string_view schema, std::string_view key);
    // False when the schema or key is missing, the key is locked, or `value` is not a valid value
    // of the key. This process reads the new value at once; the desktop's settings store gets it
    // in the background, so a store that does not answer never holds the caller up.
    static bool setText(std::string_view schema, std::string_view key, std::string_view value);
};

} // namespace tarn
