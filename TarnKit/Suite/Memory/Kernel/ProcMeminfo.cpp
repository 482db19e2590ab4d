#include "TarnKit/Suite/Memory/Kernel/ProcMeminfo.h"

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

namespace tarn {

ProcMeminfo ProcMeminfo::parse(std::string_view text)
{
    ProcMeminfo result;
    for (const auto line : ProcText::lines(text)) {
        const auto fields = ProcText::fields(line);
        if (fields.size() < 2 || fields.size() > 3 || fields[0].size() < 2 || !fields[0].ends_with(':')) {
            continue;
        }
        const auto value = ProcText::count(fields[1]);
        if (!value) {
            continue;
        }
        // The kernel's "kB" is 1024 bytes; a line without a unit is a plain count.
        std::int64_t multiplier = 1;
        if (fields.size() == 3) {
            if (fields[2] != "kB") {
                continue;
            }
            multiplier = 1024;
        }
        const auto name = fields[0].substr(0, fields[0].size() - 1);
        result.m_bytes.insert_or_assign(std::string(name), saturatingMultiply(*value, multiplier));
    }
    return result;
}

std::optional<std::int64_t> ProcMeminfo::bytes(std::string_view name) const
{
    const auto found = m_bytes.find(name);
    if (found == m_bytes.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace tarn
