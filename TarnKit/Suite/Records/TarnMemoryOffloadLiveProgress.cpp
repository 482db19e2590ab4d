#include "TarnKit/Suite/Records/TarnMemoryOffloadLiveProgress.h"

#include <algorithm>
#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"

namespace tarn {

TarnMemoryOffloadLiveProgress::TarnMemoryOffloadLiveProgress(WallTime timestamp, bool isRunning,
    bool isCompletedSummary, std::int64_t stepIndex, std::int64_t totalSteps, double fractionCompleted,
    std::string phaseTitleEN, std::string phaseTitleTR, std::string detailEN, std::string detailTR,
    std::int64_t allocatedBytes, std::int64_t targetBytes, std::vector<std::string> frozenAppNames,
    std::string livePressure)
    : m_timestamp(timestamp)
    , m_isRunning(isRunning)
    , m_isCompletedSummary(isCompletedSummary)
    , m_stepIndex(stepIndex)
    , m_totalSteps(std::max<std::int64_t>(1, totalSteps))
    , m_fractionCompleted(std::min(nonNegativeOrZero(fractionCompleted), 1.0))
    , m_phaseTitleEN(std::move(phaseTitleEN))
    , m_phaseTitleTR(std::move(phaseTitleTR))
    , m_detailEN(std::move(detailEN))
    , m_detailTR(std::move(detailTR))
    , m_allocatedBytes(allocatedBytes)
    , m_targetBytes(targetBytes)
    , m_frozenAppNames(std::move(frozenAppNames))
    , m_livePressure(std::move(livePressure))
{
}

constexpr auto TarnMemoryOffloadLiveProgress::fields()
{
    using P = TarnMemoryOffloadLiveProgress;
    return std::tuple {
        SuiteField {"timestamp", &P::m_timestamp},
        SuiteField {"isRunning", &P::m_isRunning},
        SuiteField {"isCompletedSummary", &P::m_isCompletedSummary},
        SuiteField {"stepIndex", &P::m_stepIndex},
        SuiteField {"totalSteps", &P::m_totalSteps},
        SuiteField {"fractionCompleted", &P::m_fractionCompleted},
        SuiteField {"phaseTitleEN", &P::m_phaseTitleEN},
        SuiteField {"phaseTitleTR", &P::m_phaseTitleTR},
        SuiteField {"detailEN", &P::m_detailEN},
        SuiteField {"detailTR", &P::m_detailTR},
        SuiteField {"allocatedBytes", &P::m_allocatedBytes},
        SuiteField {"targetBytes", &P::m_targetBytes},
        SuiteField {"frozenAppNames", &P::m_frozenAppNames},
        SuiteField {"livePressure", &P::m_livePressure},
    };
}

std::optional<SuiteJson> TarnMemoryOffloadLiveProgress::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnMemoryOffloadLiveProgress> TarnMemoryOffloadLiveProgress::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnMemoryOffloadLiveProgress {}, fields());
}

bool TarnMemoryOffloadLiveProgress::operator==(const TarnMemoryOffloadLiveProgress& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
