#pragma once

// A test that opens its own windows on the real X server under a window manager, each placed
// where it asked to be before the test goes on, and closed again at the end.

#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/tests/x11/X11TestClient.h"

namespace tarn::input {

class X11WindowsFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_client.connected()) << "no X display"; }
    void TearDown() override
    {
        for (const auto window : m_windows) {
            m_client.close(window);
        }
    }

    xcb_window_t open(TestWindowOptions options)
    {
        const auto window = m_client.open(options);
        m_windows.push_back(window);
        // Placed where it asked to be once the manager has framed it; moving it any earlier races
        // the manager's own placement.
        if (options.type == XCB_ATOM_NONE) {
            EXPECT_TRUE(waitUntil([&] { return m_client.isFramed(window); })) << "never framed: " << options.title;
        }
        EXPECT_TRUE(waitUntil([&] { return m_client.geometry(window).width == options.width; }))
            << "never placed: " << options.title;
        return window;
    }

    X11TestClient m_client;
    RecordingLogSink m_log;
    std::vector<xcb_window_t> m_windows;
};

} // namespace tarn::input
