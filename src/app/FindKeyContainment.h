#pragma once

#include "app/IDXiRegistry.h"

enum class KeyContainment { Contained, NotContained, Unreadable };

// Whether every value of part (name, type and bytes) and every sub-key of
// part, with everything under it, is also in whole: Contained, NotContained,
// or Unreadable when a listing or a value of either key could not be read.
// Both keys need query and enumerate rights.
KeyContainment FindKeyContainment(IDXiRegistry& registry, IDXiRegistry::Key whole, IDXiRegistry::Key part);
