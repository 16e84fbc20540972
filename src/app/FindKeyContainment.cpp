#include "app/FindKeyContainment.h"

#include "app/CDXiRegistryKey.h"
#include "app/DXiRegistryCodes.h"

#include <algorithm>
#include <memory>
#include <vector>

using namespace DXiRegistryCodes;

namespace {
// 16,383 characters, two bytes each in a double-byte code page.
constexpr uint32_t kValueNameBufferSize = 32768;
// 255 characters, likewise.
constexpr uint32_t kKeyNameBufferSize = 512;
constexpr uint32_t kReadAccess = kQueryValue | kEnumerateSubKeys;

KeyContainment FindValueContainment(IDXiRegistry& registry, IDXiRegistry::Key whole, IDXiRegistry::Key part)
{
    // Not cleared: this runs for every pair of keys compared.
    const auto name = std::make_unique_for_overwrite<char[]>(kValueNameBufferSize);
    std::vector<uint8_t> data(256);
    std::vector<uint8_t> wholeData;
    for (uint32_t index = 0;;) {
        uint32_t nameLength = kValueNameBufferSize;
        uint32_t type = 0;
        auto size = static_cast<uint32_t>(data.size());
        int32_t result = registry.EnumValue(part, index, name.get(), &nameLength, &type, data.data(), &size);
        if (result == kMoreData && size > data.size()) {
            data.resize(size);
            continue;
        }
        if (result == kNoMoreItems) {
            return KeyContainment::Contained;
        }
        if (result != kSuccess) {
            return KeyContainment::Unreadable;
        }
        // One byte more than needed, so that a longer value in whole shows.
        wholeData.resize(size + 1);
        uint32_t wholeType = 0;
        auto wholeSize = static_cast<uint32_t>(wholeData.size());
        result = registry.QueryValue(whole, name.get(), &wholeType, wholeData.data(), &wholeSize);
        if (result == kFileNotFound || result == kMoreData) {
            return KeyContainment::NotContained;
        }
        if (result != kSuccess) {
            return KeyContainment::Unreadable;
        }
        if (wholeType != type || wholeSize != size
            || !std::equal(data.begin(), data.begin() + size, wholeData.begin())) {
            return KeyContainment::NotContained;
        }
        ++index;
    }
}

KeyContainment FindSubKeyContainment(IDXiRegistry& registry, IDXiRegistry::Key whole, IDXiRegistry::Key part)
{
    char name[kKeyNameBufferSize];
    for (uint32_t index = 0;; ++index) {
        uint32_t length = kKeyNameBufferSize;
        const int32_t result = registry.EnumKey(part, index, name, &length);
        if (result == kNoMoreItems) {
            return KeyContainment::Contained;
        }
        if (result != kSuccess) {
            return KeyContainment::Unreadable;
        }
        CDXiRegistryKey partChild(registry);
        CDXiRegistryKey wholeChild(registry);
        if (partChild.Open(part, name, kReadAccess) != kSuccess) {
            return KeyContainment::Unreadable;
        }
        const int32_t opened = wholeChild.Open(whole, name, kReadAccess);
        if (opened == kFileNotFound) {
            return KeyContainment::NotContained;
        }
        if (opened != kSuccess) {
            return KeyContainment::Unreadable;
        }
        const KeyContainment child = FindKeyContainment(registry, wholeChild.Get(), partChild.Get());
        if (child != KeyContainment::Contained) {
            return child;
        }
    }
}
} // namespace

KeyContainment FindKeyContainment(IDXiRegistry& registry, IDXiRegistry::Key whole, IDXiRegistry::Key part)
{
    const KeyContainment values = FindValueContainment(registry, whole, part);
    return values == KeyContainment::Contained ? FindSubKeyContainment(registry, whole, part) : values;
}
