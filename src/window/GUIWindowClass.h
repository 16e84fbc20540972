#pragma once

#include "foundation/CGUIString.h"

#include <windows.h>

// The framework's window classes.
enum class EGUIWindowClass { Child, DoubleClickChild, Dialog };

// Registers the class of kind through the window class registry, with
// windowProc as its procedure, and returns its name (the module instance
// handle in decimal followed by the kind's suffix). The class may exist
// already; that is no error.
CGUIString RegisterWindowClass(EGUIWindowClass kind, WNDPROC windowProc);
