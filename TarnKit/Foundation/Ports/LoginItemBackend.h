#pragma once

// The desktop's list of programs started at login, as far as this program's own entry goes.

namespace tarn {

class LoginItemBackend {
public:
    virtual ~LoginItemBackend() = default;

    // Whether the program's entry is there and switched on.
    [[nodiscard]] virtual bool isRegistered() const = 0;
    // Switches the entry on or off; false when that could not be done, leaving it as it was.
    [[nodiscard]] virtual bool setRegistered(bool registered) = 0;
};

} // namespace tarn
