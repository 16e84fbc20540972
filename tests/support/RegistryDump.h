#pragma once

#include <windows.h>

#include <string>

// Every value (name, type, bytes) and sub-key under key, recursively, as
// text: equal for equal content, so a copied key can be compared byte for
// byte with its original.
std::string DumpRegistryKey(HKEY key);
