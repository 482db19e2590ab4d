#pragma once

// Whether the program starts when the user logs in. Stateless: every answer comes from the login
// item backend, so after a failed change isEnabled() still tells the truth.

#include "TarnKit/Foundation/Ports/LoginItemBackend.h"

namespace tarn {

class TarnLaunchAtLogin {
public:
    explicit TarnLaunchAtLogin(LoginItemBackend& backend)
        : m_backend(backend)
    {
    }

    bool isEnabled() const;
    // True on success; on failure nothing changed and no reason is given, the caller words it.
    [[nodiscard]] bool setEnabled(bool enabled);

private:
    LoginItemBackend& m_backend;
};

} // namespace tarn
