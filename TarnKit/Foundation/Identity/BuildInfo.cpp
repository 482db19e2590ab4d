#include "TarnKit/Foundation/Identity/BuildInfo.h"

#include "TarnKit/Foundation/Identity/BuildInfoConfig.h"

namespace tarn {

BuildInfo BuildInfo::current()
{
    return BuildInfo {TARN_BUILD_VERSION, TARN_BUILD_NUMBER, TARN_BUILD_DISPLAY_NAME, TARN_BUILD_IDENTIFIER};
}

} // namespace tarn
