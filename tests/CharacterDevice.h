#pragma once

// A character device for tests that point links at one and check that it is left alone. Run as
// root, a fault in the code under test could replace whatever device that is, so root gets one of
// its own: a null device made in the test's folder. Anyone else gets /dev/null, which they cannot
// replace whatever happens.

#include <filesystem>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tarn {

inline std::filesystem::path characterDevice(const std::filesystem::path& folder)
{
    if (::geteuid() != 0) {
        return "/dev/null";
    }
    const auto node = folder / "null-device";
    EXPECT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0) << node;
    return node;
}

} // namespace tarn
