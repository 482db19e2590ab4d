#include "Platform/Fake/Core/FakeEventTap.h"
