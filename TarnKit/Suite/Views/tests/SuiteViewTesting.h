#pragma once
// What the view tests share: a recording send, sample summaries and an installed family.
#include <vector>

#include "Platform/Fake/Suite/FakeAppEnvironment.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"
#include "TarnKit/Suite/Views/TarnSuiteSend.h"

namespace tarn::testing {

struct SentCommand {
    TarnSuiteCommandKind kind;
    TarnSuiteApp from;
    TarnSuiteApp to;
    TarnSuiteSendOptions options;
};

// Records every command and answers with `succeeds`.
class RecordingSend {
public:
    bool succeeds = true;
    std::vector<SentCommand> sent;

    TarnSuiteSend function()
    {
        return
            [this](TarnSuiteCommandKind kind, TarnSuiteApp from, TarnSuiteApp to, const TarnSuiteSendOptions& options) {
                sent.push_back({kind, from, to, options});
                return succeeds;
            };
    }
};

inline void installSiblings(FakeAppEnvironment& environment, const std::vector<TarnSuiteApp>& apps)
{
    for (TarnSuiteApp app : apps) {
        environment.install(app, std::filesystem::path("/opt") / std::string(rawValue(app)));
    }
}

// 16 GB with 12 GB used, nothing virtual, normal pressure.
inline TarnVirtualMemorySummary idleSummary()
{
    TarnVirtualMemorySummary summary;
    summary.physicalTotalBytes = 16'000'000'000;
    summary.physicalUsedBytes = 12'000'000'000;
    summary.pressureLevel = "normal";
    return summary;
}

} // namespace tarn::testing
