#include "Platform/Linux/Devices/HidReportDescriptor.h"

#include <optional>

namespace tarn {
namespace {

constexpr std::uint32_t kGenericDesktopPage = 0x01;
constexpr std::uint32_t kButtonPage = 0x09;
constexpr std::uint32_t kDigitizerPage = 0x0D;
constexpr std::uint32_t kPointerUsage = (kGenericDesktopPage << 16) | 0x01;
constexpr std::uint32_t kMouseUsage = (kGenericDesktopPage << 16) | 0x02;
constexpr std::uint32_t kTouchPadUsage = (kDigitizerPage << 16) | 0x05;

enum class ItemType : std::uint8_t { main = 0, global = 1, local = 2, reserved = 3 };

constexpr std::uint8_t kMainInput = 0x8;
constexpr std::uint8_t kMainOutput = 0x9;
constexpr std::uint8_t kMainCollection = 0xA;
constexpr std::uint8_t kMainFeature = 0xB;
constexpr std::uint8_t kMainEndCollection = 0xC;
constexpr std::uint8_t kGlobalUsagePage = 0x0;
constexpr std::uint8_t kGlobalPush = 0xA;
constexpr std::uint8_t kGlobalPop = 0xB;
constexpr std::uint8_t kLocalUsage = 0x0;
constexpr std::uint8_t kLocalUsageMinimum = 0x1;
constexpr std::uint8_t kLocalUsageMaximum = 0x2;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::uint32_t kApplicationCollection = 0x01;

// Limits that keep a hostile descriptor from costing memory or time: real devices stay far below.
constexpr std::size_t kMaxUsagesPerItem = 1024;
constexpr std::size_t kMaxPushDepth = 16;

// A local usage as written: one of 4 bytes carries its own page, shorter ones take the page in
// effect when the main item closes the local block.
struct LocalUsage {
    std::uint32_t value;
    bool extended;
};

std::uint32_t fullUsage(const LocalUsage& usage, std::uint32_t usagePage)
{
    return usage.extended ? usage.value : ((usagePage << 16) | (usage.value & 0xFFFF));
}

} // namespace

HidReportDescriptor HidReportDescriptor::parse(std::span<const std::uint8_t> bytes)
{
    HidReportDescriptor result;
    std::uint32_t usagePage = 0;
    std::vector<std::uint32_t> pushedPages;
    std::vector<LocalUsage> usages;
    std::optional<LocalUsage> usageMinimum;
    int depth = 0;

    auto clearLocals = [&] {
        usages.clear();
        usageMinimum.reset();
    };

    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::uint8_t prefix = bytes[offset];
        if (prefix == kLongItemPrefix) {
            // Long items carry vendor data only: skip them by their declared size.
            if (offset + 2 >= bytes.size()) {
                break;
            }
            offset += 3 + bytes[offset + 1];
            continue;
        }
        const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        if (offset + 1 + size > bytes.size()) {
            break; // truncated: keep what was read
        }
        std::uint32_t data = 0;
        for (std::size_t index = 0; index < size; ++index) {
            data |= static_cast<std::uint32_t>(bytes[offset + 1 + index]) << (8 * index);
        }
        const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
        const std::uint8_t tag = prefix >> 4;
        offset += 1 + size;

        switch (type) {
        case ItemType::main:
            if (tag == kMainCollection) {
                if (depth == 0 && (data & 0xFF) == kApplicationCollection && !usages.empty()) {
                    const std::uint32_t usage = fullUsage(usages.front(), usagePage);
                    if (usage == kMouseUsage || usage == kPointerUsage || usage == kTouchPadUsage) {
                        result.m_pointingDevice = true;
                    }
                }
                ++depth;
            } else if (tag == kMainEndCollection) {
                depth = depth > 0 ? depth - 1 : 0;
            } else if (tag == kMainInput || tag == kMainOutput || tag == kMainFeature) {
                for (const auto& usage : usages) {
                    const std::uint32_t full = fullUsage(usage, usagePage);
                    if ((full >> 16) == kButtonPage) {
                        result.m_buttonUsages.push_back(full & 0xFFFF);
                    }
                }
            }
            clearLocals();
            break;
        case ItemType::global:
            if (tag == kGlobalUsagePage) {
                usagePage = data & 0xFFFF;
            } else if (tag == kGlobalPush && pushedPages.size() < kMaxPushDepth) {
                pushedPages.push_back(usagePage);
            } else if (tag == kGlobalPop && !pushedPages.empty()) {
                usagePage = pushedPages.back();
                pushedPages.pop_back();
            }
            break;
        case ItemType::local:
            if (tag == kLocalUsage && usages.size() < kMaxUsagesPerItem) {
                usages.push_back({data, size == 4});
            } else if (tag == kLocalUsageMinimum) {
                usageMinimum = LocalUsage {data, size == 4};
            } else if (tag == kLocalUsageMaximum && usageMinimum) {
                // The range takes the page of its minimum; a maximum below the minimum is empty.
                const std::uint32_t first = usageMinimum->value;
                std::uint32_t last = data & 0xFFFF;
                if (usageMinimum->extended) {
                    last = size == 4 ? data : ((first & 0xFFFF0000u) | last);
                }
                for (std::uint64_t usage = first; usage <= last && usages.size() < kMaxUsagesPerItem; ++usage) {
                    usages.push_back({static_cast<std::uint32_t>(usage), usageMinimum->extended});
                }
                usageMinimum.reset();
            }
            break;
        case ItemType::reserved:
            break;
        }
    }
    return result;
}

} // namespace tarn
