#pragma once

// A table with one row per case of an enum, for the texts that go with each case (its stored raw
// value, labels, symbol names). A row has at least the members `value` (the case) and `raw` (its
// stored form). The rows follow the enum's cases in order without a gap, so a case finds its row
// by index and a raw value its case by one scan. The table is built at compile time: a row out
// of order, doubled or left out between two others does not compile, and `covers` lets a
// static_assert hold the table to the enum's list of all cases.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

namespace tarn {

// The row of a table that holds nothing but each case's raw value.
template <typename Enum, typename Raw = std::string_view> struct EnumRawValue {
    Enum value;
    Raw raw;
};

template <typename Row, std::size_t N> class EnumTable {
public:
    using Enum = decltype(Row::value);

    consteval explicit EnumTable(const std::array<Row, N>& rows)
        : m_rows(rows)
    {
        static_assert(N > 0);
        for (std::size_t index = 0; index < N; ++index) {
            if (offsetOf(rows[index].value, rows[0].value) != static_cast<std::int64_t>(index)) {
                // Throwing is not allowed in a constant expression: this is the compile error.
                throw "the rows must follow the enum's cases in order";
            }
        }
    }

    // The case's row; a value outside the enum's cases gets the first row.
    constexpr const Row& operator[](Enum value) const
    {
        const std::int64_t index = offsetOf(value, m_rows[0].value);
        return index >= 0 && index < static_cast<std::int64_t>(N) ? m_rows[static_cast<std::size_t>(index)] : m_rows[0];
    }

    // The case stored as `raw`, compared exactly.
    template <typename Raw> constexpr std::optional<Enum> fromRaw(const Raw& raw) const
    {
        for (const Row& row : m_rows) {
            if (row.raw == raw) {
                return row.value;
            }
        }
        return std::nullopt;
    }

    constexpr const std::array<Row, N>& rows() const { return m_rows; }

    // Whether the rows are exactly these cases, in this order.
    template <std::size_t M> constexpr bool covers(const std::array<Enum, M>& cases) const
    {
        if (M != N) {
            return false;
        }
        for (std::size_t index = 0; index < M; ++index) {
            if (m_rows[index].value != cases[index]) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr std::int64_t offsetOf(Enum value, Enum first)
    {
        using Underlying = std::underlying_type_t<Enum>;
        return static_cast<std::int64_t>(static_cast<Underlying>(value))
            - static_cast<std::int64_t>(static_cast<Underlying>(first));
    }

    std::array<Row, N> m_rows;
};

} // namespace tarn
