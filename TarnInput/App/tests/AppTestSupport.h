#pragma once

// The studio window's tests stand on the screens' fixture.

#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
