#include "Platform/Fake/Foundation/FakeDefaultsStore.h"

namespace tarn {

std::optional<nlohmann::json> FakeDefaultsStore::value(std::string_view key) const
{
    std::lock_guard lock(m_mutex);
    if (auto found = m_values.find(key); found != m_values.end()) {
        return found->second;
    }
    return std::nullopt;
}

bool FakeDefaultsStore::setValue(std::string_view key, const nlohmann::json& value)
{
    std::lock_guard lock(m_mutex);
    if (m_failWrites) {
        return false;
    }
    ++m_writeCount;
    m_values.insert_or_assign(std::string(key), value);
    return true;
}

bool FakeDefaultsStore::removeValue(std::string_view key)
{
    std::lock_guard lock(m_mutex);
    if (m_failWrites) {
        return false;
    }
    ++m_writeCount;
    if (auto found = m_values.find(key); found != m_values.end()) {
        m_values.erase(found);
    }
    return true;
}

void FakeDefaultsStore::setFailWrites(bool fail)
{
    std::lock_guard lock(m_mutex);
    m_failWrites = fail;
}

int FakeDefaultsStore::writeCount() const
{
    std::lock_guard lock(m_mutex);
    return m_writeCount;
}

} // namespace tarn
