#pragma once

#include "app/IDXiRegistry.h"

#include <functional>

// Times the scan with duplicate removal over 10,000 instruments (half of them
// disabled, 1,000 registered both plain and disabled) against a bare loop
// that makes the same registry calls, and prints both per instrument.
// populate(name, description) registers one instrument key under the plug-in
// root; clear() removes them all. Both run outside the timed parts.
struct StoreBenchmarkRegistry {
    IDXiRegistry& registry;
    std::function<void(const char* name, const char* description)> populate;
    std::function<void()> clear;
};

void RunStoreBenchmark(const char* label, StoreBenchmarkRegistry& target);
