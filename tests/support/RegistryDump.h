#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every value (name, type, bytes) and sub-key under the sub-key name of parent, recursively, as text: equal for
// equal content; "missing" when it cannot be read.
std::string DumpRegistryKey(HKEY parent, const std::string& name);
// The names of key's sub-keys, in the registry's enumeration order.
std::vector<std::string> ListSubKeys(HKEY key);
// Registers an instrument under root as an installer does: "Description" (left out when empty), "HelpFilePath",
// "HelpFileTopic", a value of every other type and nested sub-keys, so that a rename can be shown to carry the
// whole content. False when a call failed.
[[nodiscard]] bool AddTestInstrument(HKEY root, const std::string& name, const std::string& description);
