#include "TarnKit/Foundation/Logging/TarnLogEntry.h"

#include <array>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

bool isAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Escapes as the log's original JSON writer did: quote, backslash and slash with a
// backslash, the usual short escapes, other control characters as \u00xx (lower-case hex);
// everything else, non-ASCII included, as raw UTF-8.
void appendEscaped(std::string& out, std::string_view raw)
{
    std::string sanitized;
    if (!isAscii(raw) && !UnicodeText::isValidUtf8(raw)) {
        sanitized = UnicodeText::sanitizedUtf8(raw);
        raw = sanitized;
    }
    constexpr std::string_view kHex = "0123456789abcdef";
    out.push_back('"');
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '/':
            out += "\\/";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out.push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 0x0F]);
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

void appendMember(std::string& out, std::string_view key, std::string_view value, bool first = false)
{
    if (!first) {
        out.push_back(',');
    }
    out.push_back('"');
    out += key;
    out += "\":";
    appendEscaped(out, value);
}

} // namespace

std::string TarnLogEntry::jsonLine() const
{
    std::string out;
    out.reserve(96 + id.size() + timestamp.size() + category.size() + message.size() + version.size() + build.size());
    out.push_back('{');
    // Keys in sorted order, fixed here rather than sorted at run time.
    appendMember(out, "build", build, true);
    appendMember(out, "category", category);
    appendMember(out, "id", id);
    appendMember(out, "level", rawValue(level));
    appendMember(out, "message", message);
    appendMember(out, "timestamp", timestamp);
    appendMember(out, "version", version);
    out.push_back('}');
    return out;
}

std::optional<TarnLogEntry> TarnLogEntry::fromJsonLine(std::string_view line)
{
    const auto json = StrictJson::parse(line);
    if (!json || !json->is_object()) {
        return std::nullopt;
    }
    auto field = [&json](const char* key) -> std::optional<std::string> {
        const auto found = json->find(key);
        if (found == json->end()) {
            return std::nullopt;
        }
        return StrictJson::string(*found);
    };
    auto id = field("id");
    auto timestamp = field("timestamp");
    auto levelText = field("level");
    auto category = field("category");
    auto message = field("message");
    auto version = field("version");
    auto build = field("build");
    if (!id || !timestamp || !levelText || !category || !message || !version || !build) {
        return std::nullopt;
    }
    const auto level = tarnLogLevelFromRawValue(*levelText);
    if (!level) {
        return std::nullopt;
    }
    return TarnLogEntry {std::move(*id), std::move(*timestamp), *level, std::move(*category), std::move(*message),
        std::move(*version), std::move(*build)};
}

std::string TarnLogEntry::plainTextLine() const
{
    std::string out;
    out.reserve(24 + timestamp.size() + version.size() + build.size() + category.size() + message.size());
    out += '[';
    out += timestamp;
    out += "] [";
    out += label(level);
    out += "] [v";
    out += version;
    out += '#';
    out += build;
    out += "] [";
    out += category;
    out += "] ";
    out += message;
    return out;
}

} // namespace tarn
