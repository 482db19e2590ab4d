#include "TarnKit/Feedback/TarnFeedbackKind.h"

#include "TarnKit/Localization/TarnText.h"

namespace tarn {
namespace {

struct KindRow {
    TarnFeedbackKind kind;
    std::string_view raw;
    std::string_view symbol;
    std::string_view titleEN;
    std::string_view titleTR;
};

constexpr std::array<KindRow, 4> kRows {{
    {TarnFeedbackKind::bug, "bug", "ladybug.fill", "Bug Report", "Hata Bildirimi"},
    {TarnFeedbackKind::feature, "feature", "sparkles", "Feature & Improvement", "Özellik & İyileştirme"},
    {TarnFeedbackKind::newApp, "new_app", "lightbulb.fill", "New App Idea", "Yeni Program Fikri"},
    {TarnFeedbackKind::general, "general", "bubble.left.and.bubble.right.fill", "General Feedback", "Genel Görüş"},
}};

const KindRow& row(TarnFeedbackKind kind)
{
    return kRows[static_cast<std::size_t>(kind)];
}

} // namespace

std::string_view rawValue(TarnFeedbackKind kind)
{
    return row(kind).raw;
}

std::optional<TarnFeedbackKind> tarnFeedbackKindFromRawValue(std::string_view raw)
{
    for (const auto& candidate : kRows) {
        if (candidate.raw == raw) {
            return candidate.kind;
        }
    }
    return std::nullopt;
}

std::string_view symbolName(TarnFeedbackKind kind)
{
    return row(kind).symbol;
}

std::string title(TarnFeedbackKind kind, TarnLanguage language)
{
    return tarnText(row(kind).titleEN, row(kind).titleTR, language);
}

} // namespace tarn
