#pragma once

// The kernel's /proc/meminfo: one "Name: value kB" line per figure. Values are kept in bytes.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class ProcMeminfo {
public:
    // Lines that do not have the form above are left out.
    static ProcMeminfo parse(std::string_view text);

    std::optional<std::int64_t> bytes(std::string_view name) const;

private:
    std::map<std::string, std::int64_t, std::less<>> m_bytes;
};

} // namespace tarn
