#pragma once

// Lists the pointing devices connected right now, ready for display: each device's properties with
// their fall-backs, its battery level, button count, brand and category, one record per identity,
// external devices first and then by brand. Keeps no state: every call asks the source afresh.

#include <vector>

#include "TarnInputCore/Devices/PointerDeviceSource.h"
#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"

namespace tarn::input {

class HIDDeviceInventoryService {
public:
    HIDDeviceInventoryService() = delete;

    // Empty when the source cannot list devices or lists none.
    static std::vector<ConnectedPointerDevice> discoverPointerDevices(PointerDeviceSource& source);
};

} // namespace tarn::input
