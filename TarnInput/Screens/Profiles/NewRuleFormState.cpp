#include "TarnInput/Screens/Profiles/NewRuleFormState.h"

namespace tarn::input {

NewRuleFormState::NewRuleFormState(QObject* parent)
    : QObject(parent)
{
    // The form starts as if Safari had been picked.
    m_appName.pick(m_bundleID, "Safari");
}

void NewRuleFormState::pickApp(std::string bundleID, std::string appName)
{
    m_appName.pick(bundleID, std::move(appName));
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewRuleFormState::setBundleID(std::string bundleID)
{
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewRuleFormState::setButton(MouseButtonKind button)
{
    m_button = button;
    emit changed();
}

void NewRuleFormState::setAction(MouseButtonAction action)
{
    m_action = action;
    emit changed();
}

} // namespace tarn::input
