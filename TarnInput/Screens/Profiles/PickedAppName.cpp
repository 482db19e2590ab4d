#include "TarnInput/Screens/Profiles/PickedAppName.h"

namespace tarn::input {

void PickedAppName::pick(std::string bundleID, std::string name)
{
    m_name = std::move(name);
    m_pickedWith = std::move(bundleID);
}

void PickedAppName::type(std::string name)
{
    m_name = std::move(name);
    m_pickedWith.reset();
}

std::string PickedAppName::nameFor(const std::string& bundleID) const
{
    if (m_pickedWith && *m_pickedWith != bundleID) {
        return {};
    }
    return m_name;
}

} // namespace tarn::input
