#pragma once

// The application name of an add form. A name picked from the running-application menu belongs
// to the id picked with it: while the form holds another id (one typed over it), the form has no
// name, and the view model names the entry after its id. A name typed by hand holds for any id.

#include <optional>
#include <string>

namespace tarn::input {

class PickedAppName {
public:
    // Picked from the menu together with `bundleID`.
    void pick(std::string bundleID, std::string name);
    // Typed by hand.
    void type(std::string name);

    // The name while the form holds `bundleID`.
    std::string nameFor(const std::string& bundleID) const;

private:
    std::string m_name;
    // The id the name was picked with; none for a typed name.
    std::optional<std::string> m_pickedWith;
};

} // namespace tarn::input
