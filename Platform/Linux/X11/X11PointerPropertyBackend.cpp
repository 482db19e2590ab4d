#include "Platform/Linux/X11/X11PointerPropertyBackend.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <xcb/xinput.h>

#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/Desktop/GioSettings.h"
#include "Platform/Linux/X11/X11Display.h"
#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {

namespace {

using DevicesReply = CHandle<xcb_input_xi_query_device_reply_t, std::free>;
using PropertyReply = CHandle<xcb_input_xi_get_property_reply_t, std::free>;
using Error = CHandle<xcb_generic_error_t, std::free>;

constexpr std::string_view kTouchpadProperty = "libinput Tapping Enabled";
constexpr std::uint32_t kMaximumItems = 64;

bool isGnome(const EnvironmentLookup& environment)
{
    const std::string desktops = environment("XDG_CURRENT_DESKTOP").value_or("");
    std::string_view rest = desktops;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        if (rest.substr(0, colon) == "GNOME") {
            return true;
        }
        rest = colon == std::string_view::npos ? std::string_view {} : rest.substr(colon + 1);
    }
    return false;
}

} // namespace

struct X11PointerPropertyBackend::Impl {
    std::unique_ptr<X11Display> display;
    bool gnome = false;
    xcb_atom_t floatType = XCB_ATOM_NONE;

    struct Stored {
        xcb_atom_t type = XCB_ATOM_NONE;
        std::uint8_t format = 0;
        std::vector<double> values;
    };

    std::optional<Stored> read(std::uint32_t device, xcb_atom_t property)
    {
        auto* connection = display->connection();
        PropertyReply reply(xcb_input_xi_get_property_reply(connection,
            xcb_input_xi_get_property(connection, static_cast<xcb_input_device_id_t>(device), 0, property,
                XCB_GET_PROPERTY_TYPE_ANY, 0, kMaximumItems),
            nullptr));
        if (!reply || reply->type == XCB_ATOM_NONE) {
            return std::nullopt;
        }
        Stored stored {reply->type, reply->format, {}};
        const void* items = xcb_input_xi_get_property_items(reply.get());
        for (std::uint32_t index = 0; index < std::min(reply->num_items, kMaximumItems); ++index) {
            switch (reply->format) {
            case 8:
                stored.values.push_back(static_cast<const std::int8_t*>(items)[index]);
                break;
            case 16:
                stored.values.push_back(static_cast<const std::int16_t*>(items)[index]);
                break;
            case 32: {
                const std::uint32_t word = static_cast<const std::uint32_t*>(items)[index];
                stored.values.push_back(reply->type == floatType ? double(std::bit_cast<float>(word))
                                                                 : double(static_cast<std::int32_t>(word)));
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return stored;
    }
};

X11PointerPropertyBackend::X11PointerPropertyBackend(const EnvironmentLookup& environment)
    : m_impl(std::make_unique<Impl>())
{
    std::string whyNot; // the preferences say it, for want of devices
    m_impl->display = X11Display::connect(DesktopSession::fromEnvironment(environment), whyNot);
    if (m_impl->display) {
        auto* connection = m_impl->display->connection();
        const auto* extension = xcb_get_extension_data(connection, &xcb_input_id);
        CHandle<xcb_input_xi_query_version_reply_t, std::free> version(extension && extension->present
                ? xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 0), nullptr)
                : nullptr);
        if (!version || version->major_version < 2) {
            m_impl->display.reset();
            return;
        }
        m_impl->floatType = m_impl->display->atom("FLOAT");
        m_impl->gnome = isGnome(environment);
    }
}

X11PointerPropertyBackend::~X11PointerPropertyBackend() = default;

std::vector<PointerPropertyBackend::Device> X11PointerPropertyBackend::devices()
{
    if (!m_impl->display) {
        return {};
    }
    auto* connection = m_impl->display->connection();
    DevicesReply reply(xcb_input_xi_query_device_reply(
        connection, xcb_input_xi_query_device(connection, XCB_INPUT_DEVICE_ALL), nullptr));
    if (!reply) {
        return {};
    }
    const xcb_atom_t touchpadProperty = m_impl->display->atom(std::string(kTouchpadProperty).c_str());
    std::vector<Device> devices;
    for (auto info = xcb_input_xi_query_device_infos_iterator(reply.get()); info.rem > 0;
         xcb_input_xi_device_info_next(&info)) {
        if (info.data->type != XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER) {
            continue;
        }
        const std::uint32_t id = info.data->deviceid;
        std::string name(xcb_input_xi_device_info_name(info.data),
            static_cast<std::size_t>(xcb_input_xi_device_info_name_length(info.data)));
        devices.push_back({id, std::move(name), m_impl->read(id, touchpadProperty).has_value()});
    }
    return devices;
}

std::optional<std::vector<double>> X11PointerPropertyBackend::property(std::uint32_t device, std::string_view name)
{
    if (!m_impl->display) {
        return std::nullopt;
    }
    auto stored = m_impl->read(device, m_impl->display->atom(std::string(name).c_str()));
    if (!stored) {
        return std::nullopt;
    }
    return std::move(stored->values);
}

bool X11PointerPropertyBackend::setProperty(
    std::uint32_t device, std::string_view name, const std::vector<double>& values)
{
    if (!m_impl->display) {
        return false;
    }
    const xcb_atom_t property = m_impl->display->atom(std::string(name).c_str());
    const auto stored = m_impl->read(device, property);
    if (!stored || values.empty() || values.size() > kMaximumItems) {
        return false;
    }
    // Written in the property's own format, which the driver checks.
    std::vector<std::uint8_t> items(values.size() * (stored->format / 8));
    for (std::size_t index = 0; index < values.size(); ++index) {
        const double value = std::isfinite(values[index]) ? values[index] : 0.0;
        switch (stored->format) {
        case 8:
            items[index] = static_cast<std::uint8_t>(static_cast<std::int8_t>(value));
            break;
        case 16: {
            const auto word = static_cast<std::int16_t>(value);
            std::memcpy(&items[index * 2], &word, 2);
            break;
        }
        default: {
            const std::uint32_t word = stored->type == m_impl->floatType
                ? std::bit_cast<std::uint32_t>(static_cast<float>(value))
                : static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
            std::memcpy(&items[index * 4], &word, 4);
            break;
        }
        }
    }
    auto* connection = m_impl->display->connection();
    Error error(xcb_request_check(connection,
        xcb_input_xi_change_property_checked(connection, static_cast<xcb_input_device_id_t>(device),
            XCB_PROP_MODE_REPLACE, stored->format, property, stored->type, static_cast<std::uint32_t>(values.size()),
            items.data())));
    return !error;
}

bool X11PointerPropertyBackend::hasDesktopSettings()
{
    return m_impl->display && m_impl->gnome;
}

std::optional<std::string> X11PointerPropertyBackend::desktopSetting(std::string_view schema, std::string_view key)
{
    if (!hasDesktopSettings()) {
        return std::nullopt;
    }
    return GioSettings::text(schema, key);
}

bool X11PointerPropertyBackend::setDesktopSetting(std::string_view schema, std::string_view key, std::string_view value)
{
    return hasDesktopSettings() && GioSettings::setText(schema, key, value);
}

} // namespace tarn::input
