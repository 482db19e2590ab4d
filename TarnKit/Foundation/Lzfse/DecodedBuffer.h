#pragma once

// The bytes decoded so far. Storage grows geometrically and only as bytes are actually produced,
// so a block header's claimed size never decides an allocation; growth stops at the limit.

#include <algorithm>
#include <cstddef>
#include <string>

namespace tarn::lzfse {

class DecodedBuffer {
public:
    explicit DecodedBuffer(std::size_t limit)
        : m_limit(limit)
    {
    }

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] std::size_t room() const { return m_limit - m_size; }

    // Makes count more bytes part of the output and returns where they start. The caller has
    // checked count against room(). Earlier pointers into the buffer are invalid afterwards.
    [[nodiscard]] char* extend(std::size_t count)
    {
        const std::size_t needed = m_size + count;
        if (needed > m_storage.size()) {
            const std::size_t doubled = std::max<std::size_t>(2 * m_storage.size(), 4096);
            m_storage.resize(std::min(std::max(needed, doubled), m_limit));
        }
        char* start = m_storage.data() + m_size;
        m_size = needed;
        return start;
    }

    [[nodiscard]] std::string release() &&
    {
        m_storage.resize(m_size);
        return std::move(m_storage);
    }

private:
    std::string m_storage; // m_storage.size() is the capacity in use; only m_size bytes are output
    std::size_t m_size = 0;
    std::size_t m_limit;
};

} // namespace tarn::lzfse
