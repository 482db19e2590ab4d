#pragma once

// The memory application's account of one offload run: its progress while the run goes on and
// its summary once it has ended. It travels inside TarnMemoryLiveStatus and has no writer of its
// own, so it is as fresh as the status around it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

namespace tarn {

class TarnMemoryOffloadLiveProgress {
public:
    // Stores totalSteps as at least 1 and fractionCompleted held within 0...1 (NaN as 0); every
    // other field as given. Reading from JSON applies neither: a file's 0 steps stay 0.
    TarnMemoryOffloadLiveProgress(WallTime timestamp, bool isRunning, bool isCompletedSummary, std::int64_t stepIndex,
        std::int64_t totalSteps, double fractionCompleted, std::string phaseTitleEN, std::string phaseTitleTR,
        std::string detailEN, std::string detailTR, std::int64_t allocatedBytes, std::int64_t targetBytes,
        std::vector<std::string> frozenAppNames, std::string livePressure);

    // When the progress was last updated.
    WallTime timestamp() const { return m_timestamp; }
    bool isRunning() const { return m_isRunning; }
    // The record is the summary of a finished run.
    bool isCompletedSummary() const { return m_isCompletedSummary; }
    // Shown as it is beside totalSteps.
    std::int64_t stepIndex() const { return m_stepIndex; }
    std::int64_t totalSteps() const { return m_totalSteps; }
    double fractionCompleted() const { return m_fractionCompleted; }
    const std::string& phaseTitleEN() const { return m_phaseTitleEN; }
    const std::string& phaseTitleTR() const { return m_phaseTitleTR; }
    const std::string& detailEN() const { return m_detailEN; }
    const std::string& detailTR() const { return m_detailTR; }
    // Bytes the run has set aside so far, and those it aims for.
    std::int64_t allocatedBytes() const { return m_allocatedBytes; }
    std::int64_t targetBytes() const { return m_targetBytes; }
    const std::vector<std::string>& frozenAppNames() const { return m_frozenAppNames; }
    // The memory pressure level during the run.
    const std::string& livePressure() const { return m_livePressure; }

    // The 14 keys in field order; none when fractionCompleted cannot be written.
    std::optional<SuiteJson> toJson() const;
    // Every key required; values taken as they stand.
    static DecodeResult<TarnMemoryOffloadLiveProgress> fromJson(const nlohmann::json& value);

    bool operator==(const TarnMemoryOffloadLiveProgress& other) const;

private:
    TarnMemoryOffloadLiveProgress() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    bool m_isRunning = false;
    bool m_isCompletedSummary = false;
    std::int64_t m_stepIndex = 0;
    std::int64_t m_totalSteps = 0;
    double m_fractionCompleted = 0;
    std::string m_phaseTitleEN;
    std::string m_phaseTitleTR;
    std::string m_detailEN;
    std::string m_detailTR;
    std::int64_t m_allocatedBytes = 0;
    std::int64_t m_targetBytes = 0;
    std::vector<std::string> m_frozenAppNames;
    std::string m_livePressure;
};

} // namespace tarn
