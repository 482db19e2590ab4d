#pragma once

// Decides whether swap is encrypted: every swap area listed in /proc/swaps must lie on a dm-crypt
// device, directly (a swap partition on /dev/dm-N) or through the devices below it (a swap file
// on a file system on LVM on LUKS). dm-crypt devices carry a device-mapper uuid beginning with
// "CRYPT-" in /sys/class/block/<name>/dm/uuid; the devices a mapped device is built on are listed
// in its "slaves" folder. No swap at all, or any area whose device cannot be traced, counts as
// not encrypted: the answer is never assumed.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"

namespace tarn {

class SwapEncryptionCheck {
public:
    SwapEncryptionCheck(std::filesystem::path sysRoot, const FileSystemProbe& fileSystem);

    // The paths of the swap areas in the text of /proc/swaps.
    static std::vector<std::filesystem::path> swapAreas(std::string_view procSwapsText);

    bool allEncrypted(const std::vector<std::filesystem::path>& swapAreas) const;

private:
    bool isEncrypted(const std::filesystem::path& swapArea) const;
    bool isEncryptedDevice(const std::string& name, int depth) const;

    std::filesystem::path m_sysRoot;
    const FileSystemProbe& m_fileSystem;
};

} // namespace tarn
