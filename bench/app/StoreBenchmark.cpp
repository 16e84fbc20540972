#include "StoreBenchmark.h"

#include "app/AppendRegistryError.h"
#include "app/CDXiPluginStore.h"
#include "app/DXiRegistryCodes.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {
constexpr int kInstruments = 10000;
constexpr int kDuplicated = 1000;
constexpr int kRuns = 5;

void Populate(StoreBenchmarkRegistry& target)
{
    target.clear();
    char name[64];
    char description[64];
    for (int i = 0; i < kInstruments; ++i) {
        const bool disabled = i % 2 == 1;
        std::snprintf(name, sizeof(name), "%s{%08X-0000-4000-8000-%012d}", disabled ? "_Disabled_" : "", i, i);
        std::snprintf(description, sizeof(description), "Instrument %d", i);
        target.populate(name, description);
        if (!disabled && i / 2 < kDuplicated) {
            std::snprintf(name, sizeof(name), "_Disabled_{%08X-0000-4000-8000-%012d}", i, i);
            target.populate(name, description);
        }
    }
}

// One read pass of the raw calls the store makes; collects the key names.
void ReadPass(IDXiRegistry& registry, std::vector<std::string>& names)
{
    using namespace DXiRegistryCodes;
    names.clear();
    IDXiRegistry::Key root = nullptr;
    if (registry.OpenKey(registry.GetClassesRoot(), kPluginRootPath, kEnumerateSubKeys, &root) != kSuccess) {
        return;
    }
    char name[260];
    uint8_t buffer[1024];
    for (uint32_t index = 0;; ++index) {
        uint32_t length = sizeof(name);
        if (registry.EnumKey(root, index, name, &length) != kSuccess) {
            break;
        }
        IDXiRegistry::Key key = nullptr;
        if (registry.OpenKey(root, name, kQueryValue, &key) == kSuccess) {
            uint32_t type = kTypeString;
            uint32_t size = sizeof(buffer);
            registry.QueryValue(key, "Description", &type, buffer, &size);
            registry.CloseKey(key);
        }
        names.emplace_back(name);
    }
    registry.CloseKey(root);
}

// The listing reads that compare one duplicate pair, each key against the
// other (the pairs here hold one value and no sub-key).
void ComparePair(IDXiRegistry& registry, IDXiRegistry::Key root, const char* disabledName)
{
    using namespace DXiRegistryCodes;
    IDXiRegistry::Key disabled = nullptr;
    IDXiRegistry::Key enabled = nullptr;
    if (registry.OpenKey(root, disabledName, kQueryValue | kEnumerateSubKeys, &disabled) != kSuccess) {
        return;
    }
    if (registry.OpenKey(root, disabledName + 10, kQueryValue | kEnumerateSubKeys, &enabled) == kSuccess) {
        for (const auto& [part, whole] : { std::pair(disabled, enabled), std::pair(enabled, disabled) }) {
            char name[64];
            uint8_t data[64];
            for (uint32_t index = 0;; ++index) {
                uint32_t nameLength = sizeof(name);
                uint32_t type = 0;
                uint32_t size = sizeof(data);
                if (registry.EnumValue(part, index, name, &nameLength, &type, data, &size) != kSuccess) {
                    break;
                }
                size = sizeof(data);
                registry.QueryValue(whole, name, &type, data, &size);
            }
            uint32_t nameLength = sizeof(name);
            registry.EnumKey(part, 0, name, &nameLength);
        }
        registry.CloseKey(enabled);
    }
    registry.CloseKey(disabled);
}

// The floor: the same registry calls with no entries, texts or lookups.
void BareScan(IDXiRegistry& registry)
{
    using namespace DXiRegistryCodes;
    std::vector<std::string> names;
    ReadPass(registry, names);
    for (int i = 0; i < kDuplicated; ++i) {
        char name[64];
        std::snprintf(name, sizeof(name), "_Disabled_{%08X-0000-4000-8000-%012d}", 2 * i, 2 * i);
        IDXiRegistry::Key root = nullptr;
        if (registry.OpenKey(registry.GetClassesRoot(), kPluginRootPath, kAllAccess, &root) == kSuccess) {
            ComparePair(registry, root, name);
            registry.DeleteKey(root, name);
            registry.CloseKey(root);
        }
    }
    ReadPass(registry, names);
}

template <typename Work> double MedianSeconds(StoreBenchmarkRegistry& target, Work work)
{
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        Populate(target);
        const auto start = std::chrono::steady_clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[kRuns / 2];
}
} // namespace

void RunStoreBenchmark(const char* label, StoreBenchmarkRegistry& target)
{
    std::size_t listed = 0;
    const double store = MedianSeconds(target, [&] {
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(target.registry).ScanPlugins(plugins);
        listed = plugins.size();
    });
    const double floor = MedianSeconds(target, [&] { BareScan(target.registry); });
    target.clear();
    const double perInstrument = 1e6 / (kInstruments + kDuplicated);
    std::printf("%s: scan + duplicate removal of %d keys (%zu listed): store %.2f us/instrument, "
                "bare registry calls %.2f us/instrument, ratio %.2f\n",
        label, kInstruments + kDuplicated, listed, store * perInstrument, floor * perInstrument, store / floor);
}
