#include "Platform/Linux/Suite/X11WindowActivator.h"

#include <gtest/gtest.h>

#include "Platform/Linux/tests/x11/X11TestClient.h"

namespace tarn::input {
namespace {

EnvironmentLookup displayOnly()
{
    return [](std::string_view name) { return name == "DISPLAY" ? processEnvironment(name) : std::nullopt; };
}

TEST(X11WindowActivator, BringsTheProcesssWindowElseTheOneOfItsClassToTheFront)
{
    X11TestClient client;
    ASSERT_TRUE(client.connected()) << "no X display";
    const auto activator = X11WindowActivator::connect(displayOnly());
    ASSERT_TRUE(activator);

    const xcb_window_t byClass = client.open({.instance = "tarnzen", .className = "TarnZen", .title = "Zen"});
    const xcb_window_t byProcess = client.open({.instance = "run", .className = "Run", .title = "Memory", .x = 400});
    xcb_ewmh_set_wm_pid(&client.ewmh(), byProcess, 4242);
    xcb_flush(client.ewmh().connection);
    const xcb_window_t other = client.open({.instance = "other", .className = "Other", .title = "Other", .x = 700});
    ASSERT_TRUE(client.activate(other));

    EXPECT_TRUE(activator->activate(4242, {"TarnMemory", "com.harrowfen.tarnmemory"}));
    EXPECT_TRUE(waitUntil([&] { return client.activeWindow() == byProcess; }));

    EXPECT_TRUE(activator->activate(std::nullopt, {"TARNZEN", "com.harrowfen.tarnzen"}));
    EXPECT_TRUE(waitUntil([&] { return client.activeWindow() == byClass; }));

    EXPECT_FALSE(activator->activate(999, {"TarnDock", "com.harrowfen.tarndock"}));
    EXPECT_EQ(client.activeWindow(), byClass);

    for (const xcb_window_t window : {byClass, byProcess, other}) {
        client.close(window);
    }
}

TEST(X11WindowActivator, ThereIsNoneWithoutADisplay)
{
    EXPECT_FALSE(X11WindowActivator::connect([](std::string_view) { return std::nullopt; }));
}

} // namespace
} // namespace tarn::input
