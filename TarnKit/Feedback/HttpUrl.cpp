#include "TarnKit/Feedback/HttpUrl.h"

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool hasOnlyUrlCharacters(std::string_view url)
{
    constexpr std::string_view kDelimiters = ":/?#[]@!$&'()*+,;=";
    for (std::size_t i = 0; i < url.size(); ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (c == '%') {
            if (i + 2 >= url.size() || !isHexDigit(url[i + 1]) || !isHexDigit(url[i + 2])) {
                return false;
            }
            continue;
        }
        if (!HttpUrl::isUnreserved(c) && kDelimiters.find(static_cast<char>(c)) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

bool HttpUrl::isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

std::optional<std::string> HttpUrl::host(std::string_view url)
{
    if (!hasOnlyUrlCharacters(url)) {
        return std::nullopt;
    }
    const auto schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string scheme = UnicodeText::lowercased(url.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https") {
        return std::nullopt;
    }
    std::string_view authority = url.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    if (!host.empty() && host.front() == '[') {
        const auto close = host.find(']');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        host = host.substr(0, close + 1);
    } else {
        host = host.substr(0, host.find(':'));
    }
    if (host.empty()) {
        return std::nullopt;
    }
    return std::string(host);
}

} // namespace tarn
