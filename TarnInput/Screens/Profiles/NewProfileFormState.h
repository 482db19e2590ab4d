#pragma once

// The Profiles screen's add-profile form: the application id and name of the next profile. It
// lives as long as the screen, is never saved and is emptied by every press of Add Profile.

#include <string>

#include <QObject>

namespace tarn::input {

class NewProfileFormState : public QObject {
    Q_OBJECT

public:
    explicit NewProfileFormState(QObject* parent = nullptr);

    const std::string& bundleID() const { return m_bundleID; }
    const std::string& appName() const { return m_appName; }

    void setBundleID(std::string bundleID);
    void setAppName(std::string appName);

signals:
    void changed();

private:
    std::string m_bundleID;
    std::string m_appName;
};

} // namespace tarn::input
