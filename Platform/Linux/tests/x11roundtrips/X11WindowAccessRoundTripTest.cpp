// How often a Ctrl+Alt window drag waits for the X server, through the real adapter under a
// window manager: finding the window under the pointer takes a few round trips however many
// windows lie above it, the frame the drag starts from comes with the lookup, and each move or
// resize is sent without waiting. Counted by the process's poll calls (a program of its own).

#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/X11/X11WindowAccess.h"
#include "Platform/Linux/tests/x11/X11WindowsFixture.h"
#include "tests/XcbRoundTripCounter.h"

namespace tarn::input {
namespace {

class X11WindowAccessRoundTripTest : public X11WindowsFixture {
protected:
    // The server's answers `work` waited for.
    template <typename Work> std::uint64_t roundTripsOf(Work&& work)
    {
        const auto before = xcbRoundTripCount();
        work();
        return xcbRoundTripCount() - before;
    }
};

TEST_F(X11WindowAccessRoundTripTest, ADragWaitsForTheServerOnlyToFindTheWindow)
{
    const auto target = open({"target", "Target", "Target", false, XCB_ATOM_NONE, 100, 100, 300, 200});
    const auto area = m_client.geometry(target);
    const EventPoint press {area.x + 20.0, area.y + 20.0};
    std::vector<std::uint64_t> lookups;
    // Windows above the target, none of them under the pointer: 1, then 7.
    for (const int above : {1, 6}) {
        for (int index = 0; index < above; ++index) {
            const auto at = static_cast<std::int16_t>(500 + 40 * static_cast<int>(m_windows.size()));
            open({"other", "Other", "Other", false, XCB_ATOM_NONE, at, 300, 120, 90});
        }
        X11WindowAccess access(m_log);
        std::optional<WindowRef> found;
        lookups.push_back(roundTripsOf([&] { found = access.windowAt(press); }));
        ASSERT_EQ(found, WindowRef {target});

        std::optional<WindowFrame> frame;
        EXPECT_EQ(roundTripsOf([&] { frame = access.frame(*found); }), 0U) << "the frame comes with the lookup";
        ASSERT_EQ(frame, (WindowFrame {{double(area.x), double(area.y)}, {300, 200}}));
        bool sent = true;
        for (const double dx : {10.0, 20.0, 30.0}) {
            EXPECT_EQ(roundTripsOf([&] {
                sent = sent && access.setPosition(*found, {area.x + dx, double(area.y)});
            }),
                0U)
                << "a move is sent without waiting";
        }
        EXPECT_EQ(roundTripsOf([&] { sent = sent && access.setSize(*found, {320, 210}); }), 0U);
        EXPECT_TRUE(sent);
        EXPECT_TRUE(waitUntil([&] {
            return m_client.geometry(target) == X11TestClient::Rectangle {area.x + 30, area.y, 320, 210};
        })) << m_client.geometry(target);
        ASSERT_TRUE(access.setPosition(*found, {double(area.x), double(area.y)}));
        ASSERT_TRUE(access.setSize(*found, {300, 200}));
        ASSERT_TRUE(waitUntil([&] { return m_client.geometry(target) == area; }));
    }
    EXPECT_EQ(lookups[0], lookups[1]) << "six more windows above cost nothing more";
    EXPECT_LE(lookups[1], 6U);
}

// A frame asked again later, or of a window no lookup found, is read afresh.
TEST_F(X11WindowAccessRoundTripTest, AFrameAskedAgainIsReadFromTheServer)
{
    const auto window = open({"mover", "Mover", "Mover", false, XCB_ATOM_NONE, 120, 140, 320, 180});
    const auto area = m_client.geometry(window);
    X11WindowAccess access(m_log);
    const auto found = access.windowAt({area.x + 5.0, area.y + 5.0});
    ASSERT_EQ(found, WindowRef {window});
    ASSERT_TRUE(access.frame(*found));

    ASSERT_TRUE(access.setPosition(*found, {400, 300}));
    ASSERT_TRUE(waitUntil([&] { return m_client.geometry(window).x == 400; }));
    std::optional<WindowFrame> again;
    EXPECT_EQ(roundTripsOf([&] { again = access.frame(*found); }), 1U);
    EXPECT_EQ(again, (WindowFrame {{400, 300}, {320, 180}}));
}

} // namespace
} // namespace tarn::input
