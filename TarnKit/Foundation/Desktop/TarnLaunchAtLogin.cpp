#include "TarnKit/Foundation/Desktop/TarnLaunchAtLogin.h"

namespace tarn {

bool TarnLaunchAtLogin::isEnabled() const
{
    return m_backend.isRegistered();
}

bool TarnLaunchAtLogin::setEnabled(bool enabled)
{
    return m_backend.setRegistered(enabled);
}

} // namespace tarn
