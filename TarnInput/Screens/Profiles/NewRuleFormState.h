#pragma once

// The Buttons screen's add-rule form: what the next per-application rule will be. It lives as
// long as the screen, is never saved and is not cleared by adding a rule.

#include <string>

#include <QObject>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"

namespace tarn::input {

class NewRuleFormState : public QObject {
    Q_OBJECT

public:
    explicit NewRuleFormState(QObject* parent = nullptr);

    const std::string& bundleID() const { return m_bundleID; }
    const std::string& appName() const { return m_appName; }
    MouseButtonKind button() const { return m_button; }
    MouseButtonAction action() const { return m_action; }

    void setBundleID(std::string bundleID);
    void setAppName(std::string appName);
    void setButton(MouseButtonKind button);
    void setAction(MouseButtonAction action);

signals:
    void changed();

private:
    std::string m_bundleID = "com.apple.Safari";
    std::string m_appName = "Safari";
    MouseButtonKind m_button = MouseButtonKind::sideBack;
    MouseButtonAction m_action = MouseButtonAction::browserBack;
};

} // namespace tarn::input
