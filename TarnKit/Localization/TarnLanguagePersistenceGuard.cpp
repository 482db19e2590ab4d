#include "TarnKit/Localization/TarnLanguagePersistenceGuard.h"

namespace tarn {

void TarnLanguagePersistenceGuard::beginSuppressing()
{
    std::lock_guard lock(m_lock);
    ++m_suppressDepth;
}

void TarnLanguagePersistenceGuard::endSuppressing()
{
    std::lock_guard lock(m_lock);
    if (m_suppressDepth > 0) {
        --m_suppressDepth;
    }
}

bool TarnLanguagePersistenceGuard::isSuppressing() const
{
    return suppressDepth() >= 1;
}

std::int64_t TarnLanguagePersistenceGuard::suppressDepth() const
{
    std::lock_guard lock(m_lock);
    return m_suppressDepth;
}

} // namespace tarn
