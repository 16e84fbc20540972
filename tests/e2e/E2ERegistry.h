#pragma once

#include <string>
#include <vector>

// The instruments under HKEY_CLASSES_ROOT\MfxSoftSynths, which this test
// program and the application share through the Wine prefix. Whatever the
// prefix held there before the tests is put back when they end.

// Removes the plug-in root with everything under it; true when it is gone.
[[nodiscard]] bool DeletePluginRoot();
// Replaces the plug-in root with an empty one; false on failure.
[[nodiscard]] bool ResetPluginRoot();

// Registers an instrument as an installer does (AddTestInstrument); false
// when a call failed.
[[nodiscard]] bool AddInstrument(const std::string& keyName, const std::string& description);

// Every value (name, type, bytes) and sub-key under the instrument's key,
// recursively; "missing" when there is no such key. An empty name dumps the
// plug-in root itself.
std::string DumpInstrument(const std::string& keyName);
// The instruments' key names in the registry's enumeration order.
std::vector<std::string> ListInstruments();
