#pragma once

// The Buttons screen's add-rule form: what the next per-application rule will be. It lives as
// long as the screen, is never saved and is not cleared by adding a rule. It has no name field:
// the name comes from the running-application menu, with the id picked there.

#include <string>

#include <QObject>

#include "TarnInput/Screens/Profiles/PickedAppName.h"
#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"
#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"

namespace tarn::input {

class NewRuleFormState : public QObject {
    Q_OBJECT

public:
    explicit NewRuleFormState(QObject* parent = nullptr);

    const std::string& bundleID() const { return m_bundleID; }
    // Empty once the id differs from the one picked with the name.
    std::string appName() const { return m_appName.nameFor(m_bundleID); }
    MouseButtonKind button() const { return m_button; }
    MouseButtonAction action() const { return m_action; }

    // A running application chosen in the menu: its name and id.
    void pickApp(std::string bundleID, std::string appName);
    // An id typed by hand.
    void setBundleID(std::string bundleID);
    void setButton(MouseButtonKind button);
    void setAction(MouseButtonAction action);

signals:
    void changed();

private:
    std::string m_bundleID = "com.apple.Safari";
    PickedAppName m_appName;
    MouseButtonKind m_button = MouseButtonKind::sideBack;
    MouseButtonAction m_action = MouseButtonAction::browserBack;
};

} // namespace tarn::input
