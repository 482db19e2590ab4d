#include "Platform/Fake/Core/FakeEventTap.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"
#include "tests/TemporaryFolder.h"
