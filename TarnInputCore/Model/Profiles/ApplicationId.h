#pragma once

// The identifier of the frontmost application, kept as its workspace reported it for display and
// normalised once, by the adapter that reads it, for matching against the identifiers the user stored: lower-cased, and
// lower-cased with white space and line breaks trimmed from both ends, by full Unicode rules. Stored identifiers stay
// as the user entered them and are brought to the same form as they are compared. Identifiers are nearly always ASCII,
// so ASCII text takes a path of its own that allocates nothing and gives the same result; any other text goes through
// ICU.

#include <string>
#include <string_view>

namespace tarn::input {

class ApplicationId {
public:
    explicit ApplicationId(std::string_view text);

    // As the workspace reported it.
    const std::string& text() const { return m_text; }
    const std::string& lowercased() const { return m_lowercased; }
    const std::string& trimmedLowercased() const { return m_trimmedLowercased; }

    // Whether `stored`, lower-cased, equals this identifier lower-cased: white space counts on
    // both sides (the per-application button rules).
    bool isNamedBy(std::string_view stored) const;
    // Whether `stored`, trimmed and lower-cased, equals this identifier lower-cased but not
    // trimmed (the smoothing exclusion list).
    bool isNamedByTrimmedEntry(std::string_view stored) const;
    // Whether `stored` and this identifier are equal once both are trimmed and lower-cased (the
    // profiles).
    bool isNamedByTrimmed(std::string_view stored) const;

    // Two identifiers are the same application when the workspace reported the same text.
    bool operator==(const ApplicationId& other) const { return m_text == other.m_text; }
    bool operator==(std::string_view reported) const { return m_text == reported; }

private:
    std::string m_text;
    std::string m_lowercased;
    std::string m_trimmedLowercased;
};

} // namespace tarn::input
