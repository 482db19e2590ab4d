#include "TarnInput/Screens/Profiles/NewProfileFormState.h"

namespace tarn::input {

NewProfileFormState::NewProfileFormState(QObject* parent)
    : QObject(parent)
{
}

void NewProfileFormState::pickApp(std::string bundleID, std::string appName)
{
    m_appName.pick(bundleID, std::move(appName));
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewProfileFormState::setBundleID(std::string bundleID)
{
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewProfileFormState::setAppName(std::string appName)
{
    m_appName.type(std::move(appName));
    emit changed();
}

} // namespace tarn::input
