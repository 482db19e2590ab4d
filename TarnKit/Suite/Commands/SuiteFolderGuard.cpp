#include "TarnKit/Suite/Commands/SuiteFolderGuard.h"

#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"

namespace tarn {

SuiteFolderGuard::SuiteFolderGuard(LogSink* log)
    : m_log(log)
{
}

bool SuiteFolderGuard::prepare(std::initializer_list<std::filesystem::path> folders) const
{
    for (const auto& folder : folders) {
        const auto prepared = TarnSuiteDirectory::createPrivateFolder(folder);
        if (!prepared) {
            if (!m_refused.exchange(true) && m_log) {
                m_log->log(TarnLogLevel::warn, kLogCategory,
                    "The suite folder " + prepared.error() + ", so nothing is written there.");
            }
            return false;
        }
    }
    m_refused = false;
    return true;
}

} // namespace tarn
