#pragma once

// Passes every call to another device source and journals each scan.

#include "Platform/Fake/App/CallJournal.h"
#include "TarnInputCore/Devices/PointerDeviceSource.h"

namespace tarn::input {

class JournalingPointerDeviceSource final : public PointerDeviceSource {
public:
    JournalingPointerDeviceSource(PointerDeviceSource& inner, CallJournal& journal)
        : m_inner(inner)
        , m_journal(journal)
    {
    }

    std::optional<std::vector<HIDDeviceProperties>> pointerDevices() override
    {
        m_journal.record("devices.scan");
        return m_inner.pointerDevices();
    }
    std::vector<HIDBatteryProperties> hidBatteries() override { return m_inner.hidBatteries(); }

private:
    PointerDeviceSource& m_inner;
    CallJournal& m_journal;
};

} // namespace tarn::input
