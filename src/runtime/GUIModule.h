#pragma once

#include "foundation/CGUIString.h"

#include <windows.h>

// The instance handle of the module that contains the framework's code: the
// allocation base of the module's own data, found with VirtualQuery, so it is
// right in an executable and in a DLL alike.
HINSTANCE GetModuleInstance();

// A window class name private to this module: the instance handle as a signed
// decimal number followed by suffix ("-1234::_Suffix_" never collides with the
// classes of another module in the same process). On 64-bit Windows the whole
// handle value is written, so two modules never share a name.
CGUIString MakeModuleClassName(const char* suffix);
