#pragma once

#include <windows.h>

// The common controls library, "Comctl32.dll", loaded on first use from the
// system directory only (never from the program's directory or the current
// one, where a planted copy could wait for an elevated program) and kept for
// the life of the process; null when it cannot be loaded.
HMODULE GetCommonControlsLibrary();

// InitCommonControlsEx with dwSize 8 and the given ICC_ classes, looked up by
// name on first use; true when the function was found and succeeded. A missing
// function is no error for callers: they go on without it.
bool InitCommonControlClasses(DWORD classes);

// InitCommonControls, looked up by name on first use; false when missing.
bool InitCommonControlsOnce();
