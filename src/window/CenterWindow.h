#pragma once

#include "window/IGUIWindow.h"

// Centres window on its owner's window, or on the screen when it has no
// framework owner; a window larger than the area goes to 0 (never negative).
void CenterWindow(IGUIWindow& window);
