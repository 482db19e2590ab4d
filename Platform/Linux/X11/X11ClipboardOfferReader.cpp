#include "Platform/Linux/X11/X11ClipboardOfferReader.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <poll.h>

namespace tarn {
namespace {

using Failure = ClipboardOfferReader::Failure;
using Deadline = ClipboardOfferReader::Deadline;
using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
using Event = CHandle<xcb_generic_event_t, std::free>;
using PropertyReply = CHandle<xcb_get_property_reply_t, std::free>;
using AtomReply = CHandle<xcb_intern_atom_reply_t, std::free>;
using AtomNameReply = CHandle<xcb_get_atom_name_reply_t, std::free>;

// A clipboard owner offers a few dozen types; more is not a list worth reading.
constexpr std::size_t kMaxTypes = 256;
// ICCCM's INCR transfers announce a lower bound of the size in one 32-bit value.
constexpr std::uint32_t kIncrementalAnnouncement = 1;

std::uint32_t wordsFor(std::size_t bytes)
{
    return static_cast<std::uint32_t>(std::min<std::size_t>((bytes + 3) / 4, UINT32_MAX));
}

// One question to the clipboard's owner: a connection, a hidden window to receive the answer in
// one of its properties, and the atoms of the exchange.
class SelectionTransfer {
public:
    static std::unique_ptr<SelectionTransfer> open(const std::string& displayName)
    {
        auto transfer = std::unique_ptr<SelectionTransfer>(new SelectionTransfer());
        int screenNumber = 0;
        transfer->m_connection.reset(xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screenNumber));
        xcb_connection_t* connection = transfer->m_connection.get();
        if (xcb_connection_has_error(connection) != 0) {
            return nullptr;
        }
        auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
            xcb_screen_next(&screens);
        }
        if (screens.rem == 0) {
            return nullptr;
        }
        transfer->m_window = xcb_generate_id(connection);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, transfer->m_window, screens.data->root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screens.data->root_visual, XCB_CW_EVENT_MASK, &events);
        transfer->m_clipboard = transfer->atom("CLIPBOARD");
        transfer->m_property = transfer->atom("TARN_CLIPBOARD_OFFER");
        transfer->m_incremental = transfer->atom("INCR");
        return transfer->m_clipboard != XCB_ATOM_NONE && transfer->m_property != XCB_ATOM_NONE ? std::move(transfer)
                                                                                               : nullptr;
    }

    xcb_atom_t atom(const std::string& name) const
    {
        AtomReply reply(xcb_intern_atom_reply(m_connection.get(),
            xcb_intern_atom(m_connection.get(), 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    std::vector<std::string> atomNames(const std::vector<std::uint8_t>& atoms) const;

    // The owner's answer for `target`, at most `maxBytes` of it.
    Result<std::vector<std::uint8_t>, Failure> fetch(xcb_atom_t target, std::size_t maxBytes, Deadline deadline)
    {
        xcb_connection_t* connection = m_connection.get();
        xcb_convert_selection(connection, m_window, m_clipboard, target, m_property, XCB_CURRENT_TIME);
        xcb_flush(connection);
        Event notice = waitFor(deadline, [this](const xcb_generic_event_t& event) {
            if ((event.response_type & 0x7F) != XCB_SELECTION_NOTIFY) {
                return false;
            }
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
            return notify.requestor == m_window && notify.selection == m_clipboard;
        });
        if (!notice) {
            return fail(Failure::noAnswer);
        }
        if (reinterpret_cast<const xcb_selection_notify_event_t*>(notice.get())->property == XCB_ATOM_NONE) {
            return fail(Failure::nothingOffered);
        }
        const PropertyReply head = property(false, 0, kIncrementalAnnouncement);
        if (!head) {
            return fail(Failure::noAnswer);
        }
        if (head->type == m_incremental) {
            return fetchIncrements(*head, maxBytes, deadline);
        }
        // Without a value read, bytes_after is the whole property: judged before it is fetched.
        const std::size_t size
            = head->bytes_after + static_cast<std::size_t>(xcb_get_property_value_length(head.get()));
        if (size > maxBytes) {
            xcb_delete_property(connection, m_window, m_property);
            return fail(Failure::tooLarge);
        }
        return takeProperty(size);
    }

private:
    SelectionTransfer() = default;

    PropertyReply property(bool remove, std::uint32_t offsetWords, std::uint32_t lengthWords) const
    {
        return PropertyReply(xcb_get_property_reply(m_connection.get(),
            xcb_get_property(m_connection.get(), remove ? 1 : 0, m_window, m_property, XCB_GET_PROPERTY_TYPE_ANY,
                offsetWords, lengthWords),
            nullptr));
    }

    // The whole property (of `size` bytes) as bytes, removed so that an owner may send the next.
    Result<std::vector<std::uint8_t>, Failure> takeProperty(std::size_t size) const
    {
        const PropertyReply reply = property(true, 0, wordsFor(size));
        if (!reply) {
            return fail(Failure::noAnswer);
        }
        const auto* value = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
        const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
        return std::vector<std::uint8_t>(value, value + length);
    }

    // ICCCM's incremental transfer: deleting the property asks for each next piece; an empty
    // piece ends it.
    Result<std::vector<std::uint8_t>, Failure> fetchIncrements(
        const xcb_get_property_reply_t& head, std::size_t maxBytes, Deadline deadline)
    {
        if (xcb_get_property_value_length(&head) >= 4) {
            std::uint32_t announced = 0;
            std::memcpy(&announced, xcb_get_property_value(&head), sizeof announced);
            if (announced > maxBytes) {
                return fail(Failure::tooLarge);
            }
        }
        xcb_delete_property(m_connection.get(), m_window, m_property);
        xcb_flush(m_connection.get());
        std::vector<std::uint8_t> whole;
        for (;;) {
            Event notice = waitFor(deadline, [this](const xcb_generic_event_t& event) {
                if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
                    return false;
                }
                const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
                return change.window == m_window && change.atom == m_property && change.state == XCB_PROPERTY_NEW_VALUE;
            });
            if (!notice) {
                return fail(Failure::noAnswer);
            }
            const PropertyReply head = property(false, 0, 0);
            if (!head) {
                return fail(Failure::noAnswer);
            }
            const std::size_t size = head->bytes_after;
            if (size > maxBytes - whole.size()) {
                return fail(Failure::tooLarge);
            }
            auto piece = takeProperty(size);
            if (!piece) {
                return piece;
            }
            xcb_flush(m_connection.get());
            if (piece->empty()) {
                return whole;
            }
            whole.insert(whole.end(), piece->begin(), piece->end());
        }
    }

    // The next event `wanted` accepts (others are dropped), or none at the deadline.
    Event waitFor(Deadline deadline, const std::function<bool(const xcb_generic_event_t&)>& wanted) const
    {
        xcb_connection_t* connection = m_connection.get();
        for (;;) {
            while (Event event {xcb_poll_for_event(connection)}) {
                if (wanted(*event)) {
                    return event;
                }
            }
            if (xcb_connection_has_error(connection) != 0) {
                return nullptr;
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return nullptr;
            }
            pollfd socket {xcb_get_file_descriptor(connection), POLLIN, 0};
            if (::poll(&socket, 1, static_cast<int>(std::min<long long>(left.count(), 60'000))) < 0 && errno != EINTR) {
                return nullptr;
            }
        }
    }

    Connection m_connection;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE;
    xcb_atom_t m_property = XCB_ATOM_NONE;
    xcb_atom_t m_incremental = XCB_ATOM_NONE;
};

std::vector<std::string> SelectionTransfer::atomNames(const std::vector<std::uint8_t>& atoms) const
{
    // Every name is asked before the first answer is read: one round trip for the list.
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (std::size_t offset = 0; offset + 4 <= atoms.size() && cookies.size() < kMaxTypes; offset += 4) {
        xcb_atom_t atom = XCB_ATOM_NONE;
        std::memcpy(&atom, atoms.data() + offset, sizeof atom);
        cookies.push_back(xcb_get_atom_name(m_connection.get(), atom));
    }
    std::vector<std::string> names;
    for (const auto cookie : cookies) {
        const AtomNameReply reply(xcb_get_atom_name_reply(m_connection.get(), cookie, nullptr));
        if (reply) {
            names.emplace_back(xcb_get_atom_name_name(reply.get()),
                static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get())));
        }
    }
    return names;
}

} // namespace

X11ClipboardOfferReader::X11ClipboardOfferReader(std::string displayName)
    : m_displayName(std::move(displayName))
{
}

std::vector<std::string> X11ClipboardOfferReader::offeredTypes(Deadline deadline) const
{
    const auto transfer = SelectionTransfer::open(m_displayName);
    if (!transfer) {
        return {};
    }
    const auto atoms = transfer->fetch(transfer->atom("TARGETS"), kMaxTypes * sizeof(xcb_atom_t), deadline);
    return atoms ? transfer->atomNames(*atoms) : std::vector<std::string> {};
}

Result<std::vector<std::uint8_t>, ClipboardOfferReader::Failure> X11ClipboardOfferReader::read(
    std::string_view mimeType, std::size_t maxBytes, Deadline deadline) const
{
    const auto transfer = SelectionTransfer::open(m_displayName);
    if (!transfer) {
        return fail(Failure::noAnswer);
    }
    const xcb_atom_t target = transfer->atom(std::string(mimeType));
    if (target == XCB_ATOM_NONE) {
        return fail(Failure::nothingOffered);
    }
    return transfer->fetch(target, maxBytes, deadline);
}

} // namespace tarn
