#pragma once

// Finds a process of one user by its name: the kernel's command name (/proc/<pid>/comm, at most
// 15 bytes), letter case aside. Processes of other users are not looked at: a program of another
// session does not serve this one. Reads at most kMaxProcesses entries of the process folder.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace tarn {

class ProcessNameLookup {
public:
    static constexpr std::size_t kMaxProcesses = 1 << 20;

    // The real process folder and the calling user.
    ProcessNameLookup();
    ProcessNameLookup(std::filesystem::path processRoot, std::uint32_t user);

    // The lowest process number with that name.
    std::optional<std::int32_t> find(std::string_view name) const;

private:
    std::filesystem::path m_processRoot;
    std::uint32_t m_user;
};

} // namespace tarn
