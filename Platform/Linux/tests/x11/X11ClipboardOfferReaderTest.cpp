// The clipboard reader against owners that answer, offer too much, send increments without end or
// never answer: each read stays within its size limit and ends by its deadline.

#include "Platform/Linux/X11/X11ClipboardOfferReader.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <poll.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
using Event = CHandle<xcb_generic_event_t, std::free>;
using AtomReply = CHandle<xcb_intern_atom_reply_t, std::free>;
using Failure = ClipboardOfferReader::Failure;

enum class Manner {
    // The image in one property.
    whole,
    // The image in increments of 1000 bytes, ending with an empty one.
    increments,
    // Announces a gigabyte in increments.
    announcesAGigabyte,
    // Announces a few bytes, then sends increments forever.
    endlessIncrements,
    // Takes the clipboard and never answers.
    silent,
};

// Another program holding the clipboard, on a connection and a thread of its own, offering
// "image/png" in the manner it is given.
class ClipboardOwner {
public:
    ClipboardOwner(Manner manner, std::vector<std::uint8_t> image)
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_manner(manner)
        , m_image(std::move(image))
    {
        xcb_connection_t* connection = m_connection.get();
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        m_window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        m_clipboard = atom("CLIPBOARD");
        m_targets = atom("TARGETS");
        m_png = atom("image/png");
        m_incremental = atom("INCR");
        xcb_set_selection_owner(connection, m_window, m_clipboard, XCB_CURRENT_TIME);
        xcb_flush(connection);
        m_thread = std::thread([this] { serve(); });
    }

    ~ClipboardOwner()
    {
        m_stop = true;
        m_thread.join();
    }

    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    // Bytes handed to requestors so far.
    std::size_t sent() const { return m_sent; }

private:
    xcb_atom_t atom(const char* name)
    {
        AtomReply reply(xcb_intern_atom_reply(m_connection.get(),
            xcb_intern_atom(m_connection.get(), 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
        return reply->atom;
    }

    void serve()
    {
        pollfd socket {xcb_get_file_descriptor(m_connection.get()), POLLIN, 0};
        while (!m_stop) {
            while (Event event {xcb_poll_for_event(m_connection.get())}) {
                handle(*event);
            }
            ::poll(&socket, 1, 20);
        }
    }

    void handle(const xcb_generic_event_t& event)
    {
        const auto type = event.response_type & 0x7F;
        if (type == XCB_SELECTION_REQUEST) {
            answer(reinterpret_cast<const xcb_selection_request_event_t&>(event));
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            if (change.window == m_requestor && change.atom == m_property && change.state == XCB_PROPERTY_DELETE) {
                sendNextIncrement();
            }
        }
    }

    void answer(const xcb_selection_request_event_t& request)
    {
        if (m_manner == Manner::silent) {
            return;
        }
        xcb_connection_t* connection = m_connection.get();
        if (request.target == m_targets) {
            const xcb_atom_t offered[] = {m_targets, m_png};
            xcb_change_property(
                connection, XCB_PROP_MODE_REPLACE, request.requestor, request.property, XCB_ATOM_ATOM, 32, 2, offered);
        } else if (m_manner == Manner::whole) {
            setImage(request.requestor, request.property, m_image.data(), m_image.size());
        } else {
            startIncrements(request);
        }
        xcb_selection_notify_event_t notice {};
        notice.response_type = XCB_SELECTION_NOTIFY;
        notice.requestor = request.requestor;
        notice.selection = request.selection;
        notice.target = request.target;
        notice.property = request.property;
        notice.time = request.time;
        xcb_send_event(
            connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notice));
        xcb_flush(connection);
    }

    void startIncrements(const xcb_selection_request_event_t& request)
    {
        m_requestor = request.requestor;
        m_property = request.property;
        m_offset = 0;
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_connection.get(), m_requestor, XCB_CW_EVENT_MASK, &events);
        const std::uint32_t announced = m_manner == Manner::announcesAGigabyte ? 1'000'000'000U
            : m_manner == Manner::endlessIncrements                            ? 10U
                                                    : static_cast<std::uint32_t>(m_image.size());
        xcb_change_property(
            m_connection.get(), XCB_PROP_MODE_REPLACE, m_requestor, m_property, m_incremental, 32, 1, &announced);
    }

    void sendNextIncrement()
    {
        constexpr std::size_t kPiece = 1000;
        if (m_manner == Manner::endlessIncrements) {
            const std::vector<std::uint8_t> piece(kPiece, 0x5A);
            setImage(m_requestor, m_property, piece.data(), piece.size());
        } else {
            const std::size_t length = std::min(kPiece, m_image.size() - m_offset);
            setImage(m_requestor, m_property, m_image.data() + m_offset, length);
            m_offset += length;
        }
        xcb_flush(m_connection.get());
    }

    void setImage(xcb_window_t window, xcb_atom_t property, const std::uint8_t* data, std::size_t length)
    {
        xcb_change_property(m_connection.get(), XCB_PROP_MODE_REPLACE, window, property, m_png, 8,
            static_cast<std::uint32_t>(length), data);
        m_sent += length;
    }

    Connection m_connection;
    const Manner m_manner;
    const std::vector<std::uint8_t> m_image;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_clipboard = XCB_ATOM_NONE;
    xcb_atom_t m_targets = XCB_ATOM_NONE;
    xcb_atom_t m_png = XCB_ATOM_NONE;
    xcb_atom_t m_incremental = XCB_ATOM_NONE;
    xcb_window_t m_requestor = XCB_NONE;
    xcb_atom_t m_property = XCB_ATOM_NONE;
    std::size_t m_offset = 0;
    std::atomic<std::size_t> m_sent {0};
    std::atomic<bool> m_stop {false};
    // Last: the thread uses everything above.
    std::thread m_thread;
};

std::vector<std::uint8_t> sampleImage(std::size_t size)
{
    std::vector<std::uint8_t> image(size);
    for (std::size_t index = 0; index < size; ++index) {
        image[index] = static_cast<std::uint8_t>(index * 7 + 3);
    }
    return image;
}

ClipboardOfferReader::Deadline inOneSecond()
{
    return std::chrono::steady_clock::now() + 1s;
}

TEST(X11ClipboardOfferReader, ReadsWholeAndIncrementalOffersWithinTheLimit)
{
    const X11ClipboardOfferReader reader("");
    for (const Manner manner : {Manner::whole, Manner::increments}) {
        SCOPED_TRACE(manner == Manner::whole ? "whole" : "increments");
        const auto image = sampleImage(4500);
        const ClipboardOwner owner(manner, image);
        EXPECT_EQ(reader.offeredTypes(inOneSecond()), (std::vector<std::string> {"TARGETS", "image/png"}));
        const auto read = reader.read("image/png", image.size(), inOneSecond());
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, image);
        // One byte less than the offer is allowed: refused.
        const auto refused = reader.read("image/png", image.size() - 1, inOneSecond());
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error(), Failure::tooLarge);
    }
}

TEST(X11ClipboardOfferReader, RefusesAnAnnouncedGigabyteWithoutTakingIt)
{
    const ClipboardOwner owner(Manner::announcesAGigabyte, {});
    const auto read = X11ClipboardOfferReader("").read("image/png", 5'242'880, inOneSecond());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), Failure::tooLarge);
    EXPECT_EQ(owner.sent(), 0U);
}

TEST(X11ClipboardOfferReader, StopsEndlessIncrementsAtTheLimit)
{
    const ClipboardOwner owner(Manner::endlessIncrements, {});
    const auto read = X11ClipboardOfferReader("").read("image/png", 20'000, inOneSecond());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), Failure::tooLarge);
    EXPECT_LE(owner.sent(), 21'000U);
}

TEST(X11ClipboardOfferReader, GivesUpOnASilentOwnerAtTheDeadline)
{
    const ClipboardOwner owner(Manner::silent, {});
    const X11ClipboardOfferReader reader("");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(reader.offeredTypes(started + 300ms).empty());
    const auto read = reader.read("image/png", 5'242'880, started + 600ms);
    const auto waited = std::chrono::steady_clock::now() - started;
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), Failure::noAnswer);
    // The deadline ends the wait; a wide bound, as the machine may be busy.
    EXPECT_GE(waited, 600ms);
    EXPECT_LT(waited, 3s);
}

TEST(X11ClipboardOfferReader, AnEmptyClipboardOffersNothing)
{
    Connection connection(xcb_connect(nullptr, nullptr));
    AtomReply clipboard(
        xcb_intern_atom_reply(connection.get(), xcb_intern_atom(connection.get(), 0, 9, "CLIPBOARD"), nullptr));
    xcb_set_selection_owner(connection.get(), XCB_NONE, clipboard->atom, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    const X11ClipboardOfferReader reader("");
    EXPECT_TRUE(reader.offeredTypes(inOneSecond()).empty());
    const auto read = reader.read("image/png", 100, inOneSecond());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), Failure::nothingOffered);
}

} // namespace
} // namespace tarn
