#include "Platform/Linux/Wayland/DesktopWindowJson.h"

#include <nlohmann/json.hpp>

namespace tarn::input {

namespace {

template <typename T> T fieldOr(const nlohmann::json& object, const char* key, T fallback)
{
    const auto found = object.find(key);
    if (found == object.end()) {
        return fallback;
    }
    if constexpr (std::is_same_v<T, std::string>) {
        return found->is_string() ? found->get<std::string>() : fallback;
    } else if constexpr (std::is_same_v<T, bool>) {
        return found->is_boolean() ? found->get<bool>() : fallback;
    } else {
        return found->is_number_integer() ? found->get<T>() : fallback;
    }
}

} // namespace

std::vector<DesktopWindow> DesktopWindowJson::parseList(std::string_view text)
{
    std::vector<DesktopWindow> windows;
    if (text.size() > kMaximumBytes) {
        return windows;
    }
    const auto list = nlohmann::json::parse(text, nullptr, false);
    if (!list.is_array()) {
        return windows;
    }
    for (const auto& entry : list) {
        if (windows.size() == kMaximumWindows) {
            break;
        }
        if (!entry.is_object()) {
            continue;
        }
        windows.push_back({fieldOr<std::string>(entry, "appId", {}), fieldOr<std::string>(entry, "title", {}),
            fieldOr<std::int64_t>(entry, "pid", 0), fieldOr<bool>(entry, "focused", false)});
    }
    return windows;
}

} // namespace tarn::input
