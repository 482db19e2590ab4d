#include "TarnKit/Foundation/Clock.h"

namespace tarn {

SystemClock& SystemClock::shared()
{
    static SystemClock clock;
    return clock;
}

} // namespace tarn
