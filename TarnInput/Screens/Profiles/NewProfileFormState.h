#pragma once

// The Profiles screen's add-profile form: the application id and name of the next profile. It
// lives as long as the screen, is never saved and is emptied by every press of Add Profile. A
// name picked from the running-application menu goes with the id picked there; a typed one
// stays whatever the id.

#include <string>

#include <QObject>

#include "TarnInput/Screens/Profiles/PickedAppName.h"

namespace tarn::input {

class NewProfileFormState : public QObject {
    Q_OBJECT

public:
    explicit NewProfileFormState(QObject* parent = nullptr);

    const std::string& bundleID() const { return m_bundleID; }
    std::string appName() const { return m_appName.nameFor(m_bundleID); }

    // A running application chosen in the menu: its name and id.
    void pickApp(std::string bundleID, std::string appName);
    // Typed by hand.
    void setBundleID(std::string bundleID);
    void setAppName(std::string appName);

signals:
    void changed();

private:
    std::string m_bundleID;
    PickedAppName m_appName;
};

} // namespace tarn::input
