#pragma once

// The four kinds of feedback a report or the web page is opened with. The raw value is what the
// site receives; each kind has a title pair and a symbol for the interface.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn {

enum class TarnFeedbackKind { bug, feature, newApp, general };

inline constexpr std::array<TarnFeedbackKind, 4> kAllTarnFeedbackKinds {
    TarnFeedbackKind::bug, TarnFeedbackKind::feature, TarnFeedbackKind::newApp, TarnFeedbackKind::general};

// "bug", "feature", "new_app", "general"; also the kind's id.
std::string_view rawValue(TarnFeedbackKind kind);
// Exactly one of the four raw values, case-sensitive.
std::optional<TarnFeedbackKind> tarnFeedbackKindFromRawValue(std::string_view raw);
std::string_view symbolName(TarnFeedbackKind kind);
// "Bug Report" / "Hata Bildirimi" and so on, chosen for `language`.
std::string title(TarnFeedbackKind kind, TarnLanguage language);

} // namespace tarn
