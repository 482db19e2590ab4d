#include "Platform/Linux/Desktop/WindowApplicationIdentity.h"

#include <algorithm>
#include <array>
#include <optional>

#include "Platform/Linux/Desktop/LinuxApplicationAliases.h"

namespace tarn::input {

namespace {

std::string_view trimmedSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "org.kde.dolphin.desktop" or a path to it gives "org.kde.dolphin".
std::string desktopFileID(std::string_view value)
{
    if (const auto slash = value.rfind('/'); slash != std::string_view::npos) {
        value = value.substr(slash + 1);
    }
    constexpr std::string_view suffix = ".desktop";
    if (value.ends_with(suffix)) {
        value.remove_suffix(suffix.size());
    }
    return std::string(value);
}

struct Found {
    std::string id;
    std::optional<DesktopEntry> entry;
};

std::optional<Found> findApplication(const WindowClassHints& hints, DesktopEntryIndex& entries)
{
    for (const std::string& declared : {hints.gtkApplicationID, hints.kdeDesktopFile}) {
        if (std::string id = desktopFileID(declared); !id.empty()) {
            auto entry = entries.entryForID(id);
            return Found {std::move(id), std::move(entry)};
        }
    }
    if (auto entry = entries.entryForWindowClass(hints.wmInstance, hints.wmClass)) {
        std::string id = entry->id;
        return Found {std::move(id), std::move(entry)};
    }
    if (!hints.wmClass.empty()) {
        return Found {hints.wmClass, std::nullopt};
    }
    if (!hints.wmInstance.empty()) {
        return Found {hints.wmInstance, std::nullopt};
    }
    return std::nullopt;
}

} // namespace

std::string WindowApplicationIdentity::titleApplicationPart(std::string_view title)
{
    // Em dash, en dash and hyphen, each between spaces; the last one in the title counts.
    constexpr std::array<std::string_view, 3> separators {" \u2014 ", " \u2013 ", " - "};
    std::size_t cut = std::string_view::npos;
    std::size_t separatorSize = 0;
    for (const auto separator : separators) {
        const auto at = title.rfind(separator);
        if (at != std::string_view::npos && (cut == std::string_view::npos || at > cut)) {
            cut = at;
            separatorSize = separator.size();
        }
    }
    if (cut == std::string_view::npos) {
        return {};
    }
    return std::string(trimmedSpaces(title.substr(cut + separatorSize)));
}

FrontmostApplication WindowApplicationIdentity::resolve(const WindowClassHints& hints, DesktopEntryIndex& entries)
{
    FrontmostApplication application;
    if (auto found = findApplication(hints, entries)) {
        const auto alias = LinuxApplicationAliases::aliasFor(found->id);
        application.bundleID.emplace(alias ? std::string_view(*alias) : std::string_view(found->id));
        if (found->entry && !found->entry->name.empty()) {
            application.name = found->entry->name;
        }
    }
    if (!application.name) {
        if (auto part = titleApplicationPart(hints.title); !part.empty()) {
            application.name = std::move(part);
        } else if (!hints.wmClass.empty()) {
            application.name = hints.wmClass;
        } else if (auto title = std::string(trimmedSpaces(hints.title)); !title.empty()) {
            application.name = std::move(title);
        }
    }
    return application;
}

FrontmostApplication WindowApplicationIdentity::resolveAppID(
    std::string_view appID, std::string_view title, DesktopEntryIndex& entries)
{
    WindowClassHints hints;
    hints.wmInstance = desktopFileID(appID);
    hints.wmClass = hints.wmInstance;
    hints.title = title;
    return resolve(hints, entries);
}

void WindowApplicationIdentity::listOnce(
    std::vector<RunningApplication>& running, const FrontmostApplication& application)
{
    if (!application.bundleID) {
        return;
    }
    const auto& id = application.bundleID->text();
    const bool listed = std::any_of(
        running.begin(), running.end(), [&](const RunningApplication& entry) { return entry.bundleID == id; });
    if (!listed) {
        running.push_back({id, application.name.value_or(id)});
    }
}

} // namespace tarn::input
