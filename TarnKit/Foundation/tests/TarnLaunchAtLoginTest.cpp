#include "TarnKit/Foundation/Desktop/TarnLaunchAtLogin.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeLoginItemBackend.h"

namespace tarn {
namespace {

TEST(TarnLaunchAtLogin, ReportsWhatTheBackendHoldsAfterSuccessAndFailure)
{
    FakeLoginItemBackend backend;
    TarnLaunchAtLogin launch(backend);
    EXPECT_FALSE(launch.isEnabled());
    EXPECT_TRUE(launch.setEnabled(true));
    EXPECT_TRUE(launch.isEnabled());

    backend.setFailing(true);
    EXPECT_FALSE(launch.setEnabled(false));
    EXPECT_TRUE(launch.isEnabled()) << "a failed change leaves the state as it was";
    EXPECT_EQ(backend.changeRequests(), 2);
}

} // namespace
} // namespace tarn
