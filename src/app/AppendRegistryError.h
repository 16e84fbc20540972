#pragma once

#include "app/IDXiRegistry.h"
#include "foundation/CGUIString.h"

#include <cstdint>

// Where every store operation opens the plug-in root, under HKEY_CLASSES_ROOT.
inline constexpr const char* kPluginRootPath = "MfxSoftSynths\\";

inline constexpr const char* kReadErrorPrefix = "Error while reading registry. Check that you have admin rights:\n";
inline constexpr const char* kEditErrorPrefix = "Failed to edit registry. Check that you have admin rights:\n";

// Accounts for one registry call in the error text: a failing code puts the
// system's text for it in place of the text; then "(" (when the text is not
// empty), the context and ")" are appended. The parenthesised context thus
// follows the system text of the one call that failed. True when code is 0.
bool AppendRegistryError(IDXiRegistry& registry, CGUIString& errorText, int32_t code, const char* context);

// Shows prefix followed by errorText in the registry's error box.
void ShowRegistryError(IDXiRegistry& registry, const char* prefix, const CGUIString& errorText);
