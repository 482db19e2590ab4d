#pragma once

// A finite-state-entropy decoding table. Each state names the value it emits, how many bits
// the next state needs and where those bits land. LZFSE lays states out in symbol order (no
// spreading): symbol 0 owns the first freq[0] states, symbol 1 the next freq[1], and so on.
//
// Literals use it with no extra bits (the value is the symbol); the L, M and D streams give each
// symbol a base value plus extra raw bits that share the same read as the state bits.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "TarnKit/Foundation/Lzfse/BackwardBitReader.h"

namespace tarn::lzfse {

class FseTable {
public:
    struct SymbolValues {
        std::span<const std::uint8_t> extraBits; // per symbol; empty means none
        std::span<const std::uint32_t> baseValues; // per symbol; empty means the symbol itself
    };

    // Absent when stateCount is not a power of two or the frequencies add up to more states than
    // there are. Frequencies that add up to fewer leave the spare states inert: they emit 0 and
    // lead back to state 0, which a sound stream never reaches.
    [[nodiscard]] static std::optional<FseTable> build(
        std::span<const std::uint16_t> frequencies, std::uint32_t stateCount, SymbolValues values = {});

    [[nodiscard]] std::uint32_t stateCount() const { return static_cast<std::uint32_t>(m_entries.size()); }

    // Emits the value of *state and moves *state on with bits from the reader. The caller keeps
    // *state below stateCount(); the table keeps it there.
    [[nodiscard]] std::uint32_t decode(std::uint32_t& state, BackwardBitReader& reader) const
    {
        const Entry& entry = m_entries[state];
        const std::uint32_t bits = reader.pull(entry.totalBits);
        state = entry.nextStateBase + (bits >> entry.valueBits);
        return entry.valueBase + (bits & ((std::uint32_t {1} << entry.valueBits) - 1));
    }

private:
    struct Entry {
        std::uint8_t totalBits = 0; // state bits followed by valueBits extra bits
        std::uint8_t valueBits = 0;
        std::uint16_t nextStateBase = 0;
        std::uint32_t valueBase = 0;
    };

    std::vector<Entry> m_entries;
};

} // namespace tarn::lzfse
