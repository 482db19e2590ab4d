#include "TarnInput/Screens/Profiles/NewProfileFormState.h"

namespace tarn::input {

NewProfileFormState::NewProfileFormState(QObject* parent)
    : QObject(parent)
{
}

void NewProfileFormState::setBundleID(std::string bundleID)
{
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewProfileFormState::setAppName(std::string appName)
{
    m_appName = std::move(appName);
    emit changed();
}

} // namespace tarn::input
