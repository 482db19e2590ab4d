#include "TarnKit/Suite/Commands/AppEnvironment.h"

namespace tarn {

bool AppEnvironment::launch(TarnSuiteApp app)
{
    if (activateRunning(app)) {
        return true;
    }
    const auto location = installedLocation(app);
    return location && open(*location, true);
}

} // namespace tarn
