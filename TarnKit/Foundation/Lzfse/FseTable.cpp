#include "TarnKit/Foundation/Lzfse/FseTable.h"

#include <bit>

namespace tarn::lzfse {

std::optional<FseTable> FseTable::build(
    std::span<const std::uint16_t> frequencies, std::uint32_t stateCount, SymbolValues values)
{
    if (!std::has_single_bit(stateCount) || stateCount > (1u << 15)) {
        return std::nullopt;
    }
    if ((!values.extraBits.empty() && values.extraBits.size() != frequencies.size())
        || (!values.baseValues.empty() && values.baseValues.size() != frequencies.size())) {
        return std::nullopt;
    }

    std::uint32_t total = 0;
    for (const std::uint16_t frequency : frequencies) {
        total += frequency;
    }
    if (total > stateCount) {
        return std::nullopt;
    }

    FseTable table;
    table.m_entries.resize(stateCount);
    const int stateCountZeros = std::countl_zero(stateCount);
    std::uint32_t next = 0;
    for (std::size_t symbol = 0; symbol < frequencies.size(); ++symbol) {
        const std::uint32_t frequency = frequencies[symbol];
        if (frequency == 0) {
            continue;
        }
        const std::uint8_t extraBits = values.extraBits.empty() ? 0 : values.extraBits[symbol];
        const std::uint32_t base
            = values.baseValues.empty() ? static_cast<std::uint32_t>(symbol) : values.baseValues[symbol];

        // A symbol owning f states reads k bits, where f << k first reaches stateCount; the first
        // `wide` of its states read k bits and the rest k - 1, so that together the states cover
        // every next state exactly once.
        const auto k = static_cast<std::uint32_t>(std::countl_zero(frequency) - stateCountZeros);
        const std::uint32_t wide = ((2 * stateCount) >> k) - frequency;
        for (std::uint32_t j = 0; j < frequency; ++j) {
            Entry& entry = table.m_entries[next++];
            entry.valueBits = extraBits;
            entry.valueBase = base;
            if (j < wide) {
                entry.totalBits = static_cast<std::uint8_t>(k + extraBits);
                entry.nextStateBase = static_cast<std::uint16_t>(((frequency + j) << k) - stateCount);
            } else {
                entry.totalBits = static_cast<std::uint8_t>(k - 1 + extraBits);
                entry.nextStateBase = static_cast<std::uint16_t>((j - wide) << (k - 1));
            }
        }
    }
    return table;
}

} // namespace tarn::lzfse
