#include "Platform/Linux/Desktop/XdgOpenUrlOpener.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

TEST(XdgOpenUrlOpener, StartsTheHandlerWithTheAddressAndDoesNotWait)
{
    TemporaryFolder folder;
    const auto marker = folder.path() / "opened";
    // "touch" stands in for xdg-open: the file it makes shows it ran with the address.
    XdgOpenUrlOpener opener("touch");
    ASSERT_TRUE(opener.open(marker.string()));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!std::filesystem::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(marker));
}

TEST(XdgOpenUrlOpener, FailsWhenTheHandlerCannotStartOrTheAddressLooksLikeAnOption)
{
    EXPECT_FALSE(XdgOpenUrlOpener("tarn-no-such-program").open("https://example.org"));
    EXPECT_FALSE(XdgOpenUrlOpener("true").open("--help"));
    EXPECT_FALSE(XdgOpenUrlOpener("true").open(""));
}

} // namespace
} // namespace tarn
