#include "TarnInput/Screens/Profiles/NewRuleFormState.h"

namespace tarn::input {

NewRuleFormState::NewRuleFormState(QObject* parent)
    : QObject(parent)
{
}

void NewRuleFormState::setBundleID(std::string bundleID)
{
    m_bundleID = std::move(bundleID);
    emit changed();
}

void NewRuleFormState::setAppName(std::string appName)
{
    m_appName = std::move(appName);
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
