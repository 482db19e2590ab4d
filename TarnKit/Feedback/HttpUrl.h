#pragma once

// Absolute http and https addresses, the only ones the kit hands to the browser or to an HTTP
// client: anything else (a file: address, a relative path, text with blanks or line breaks) is
// refused before a request is made.

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class HttpUrl {
public:
    // The host of an absolute http or https address whose every character is one RFC 3986
    // allows (each "%" starting an escape); none for anything else.
    static std::optional<std::string> host(std::string_view url);
    // RFC 3986's unreserved characters: ASCII letters, digits, "-", ".", "_" and "~".
    static bool isUnreserved(unsigned char c);
};

} // namespace tarn
