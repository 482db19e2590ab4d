#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn {

SystemClock& SystemClock::shared()
{
    static SystemClock clock;
    return clock;
}

} // namespace tarn
