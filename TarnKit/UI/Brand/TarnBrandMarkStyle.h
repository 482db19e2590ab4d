#pragma once

// What a brand mark shows: one application's emblem, the running application's emblem (the
// maker's vector mark when the family catalog does not know it), or always the vector mark.

#include <optional>

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

namespace tarn {

class TarnBrandMarkStyle {
public:
    enum class Kind { app, currentApp, harrowfenSuite };

    static TarnBrandMarkStyle app(TarnAppIdentity identity) { return {Kind::app, identity}; }
    static TarnBrandMarkStyle currentApp() { return {Kind::currentApp, std::nullopt}; }
    static TarnBrandMarkStyle harrowfenSuite() { return {Kind::harrowfenSuite, std::nullopt}; }

    Kind kind() const { return m_kind; }
    // Set only for `app`.
    std::optional<TarnAppIdentity> appIdentity() const { return m_appIdentity; }

private:
    TarnBrandMarkStyle(Kind kind, std::optional<TarnAppIdentity> appIdentity)
        : m_kind(kind)
        , m_appIdentity(appIdentity)
    {
    }

    Kind m_kind;
    std::optional<TarnAppIdentity> m_appIdentity;
};

} // namespace tarn
