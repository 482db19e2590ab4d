#include "Platform/Linux/Wayland/DesktopWindowJson.h"

#include <cstdint>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input {

namespace {

std::string stringOr(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    return found == object.end() ? std::string() : StrictJson::string(*found).value_or(std::string());
}

// A process id as the system has them: positive and within pid_t. Anything else, 2^64 - 1 that
// would wrap to -1 among them, is no process the desktop can mean.
std::int64_t pidOr0(const nlohmann::json& object)
{
    const auto found = object.find("pid");
    if (found == object.end()) {
        return 0;
    }
    const auto pid = StrictJson::integer<std::int32_t>(*found);
    return pid && *pid > 0 ? *pid : 0;
}

bool booleanOr(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && StrictJson::boolean(*found).value_or(false);
}

} // namespace

std::vector<DesktopWindow> DesktopWindowJson::parseList(std::string_view text)
{
    std::vector<DesktopWindow> windows;
    if (text.size() > kMaximumBytes) {
        return windows;
    }
    const auto list = StrictJson::parse(text);
    if (!list || !list->is_array()) {
        return windows;
    }
    for (const auto& entry : *list) {
        if (windows.size() == kMaximumWindows) {
            break;
        }
        if (!entry.is_object()) {
            continue;
        }
        windows.push_back(
            {stringOr(entry, "appId"), stringOr(entry, "title"), pidOr0(entry), booleanOr(entry, "focused")});
    }
    return windows;
}

} // namespace tarn::input
