#pragma once

// Another program's clipboard offer, scripted: the types it lists, the bytes of each, or a failure
// for every question; it records the deadlines it was given.

#include <map>
#include <optional>

#include "TarnKit/Feedback/ClipboardOfferReader.h"

namespace tarn {

class FakeClipboardOfferReader final : public ClipboardOfferReader {
public:
    std::vector<std::string> offeredTypes(Deadline deadline) const override
    {
        m_deadlines.push_back(deadline);
        if (m_failure) {
            return {};
        }
        std::vector<std::string> types;
        for (const auto& [type, bytes] : m_offers) {
            types.push_back(type);
        }
        return types;
    }

    Result<std::vector<std::uint8_t>, Failure> read(
        std::string_view mimeType, std::size_t maxBytes, Deadline deadline) const override
    {
        m_deadlines.push_back(deadline);
        m_reads.emplace_back(mimeType);
        if (m_failure) {
            return fail(*m_failure);
        }
        const auto offer = m_offers.find(std::string(mimeType));
        if (offer == m_offers.end()) {
            return fail(Failure::nothingOffered);
        }
        if (offer->second.size() > maxBytes) {
            return fail(Failure::tooLarge);
        }
        return offer->second;
    }

    void offer(std::string mimeType, std::vector<std::uint8_t> bytes)
    {
        m_offers[std::move(mimeType)] = std::move(bytes);
    }
    // Every question fails so; none: questions are answered.
    void failWith(std::optional<Failure> failure) { m_failure = failure; }
    const std::vector<Deadline>& deadlines() const { return m_deadlines; }
    const std::vector<std::string>& reads() const { return m_reads; }

private:
    std::map<std::string, std::vector<std::uint8_t>> m_offers;
    std::optional<Failure> m_failure;
    mutable std::vector<Deadline> m_deadlines;
    mutable std::vector<std::string> m_reads;
};

} // namespace tarn
