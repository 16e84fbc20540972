#pragma once

#include <windows.h>

// Real input through SendInput, as the user's mouse and keyboard give it:
// the window manager routes it to whatever window is under the cursor or
// has the keyboard focus. False when the input could not be sent.

// Moves the cursor to a point of the screen and clicks the left button there.
[[nodiscard]] bool ClickAt(POINT point);
// Clicks at the centre of window, once input there reaches it.
[[nodiscard]] bool ClickWindow(HWND window);
// Presses and releases a virtual key.
[[nodiscard]] bool PressKey(WORD virtualKey);
// Presses and releases key while modifier is held down.
[[nodiscard]] bool PressKeyWith(WORD modifier, WORD virtualKey);
// Moves the cursor to a point of the screen and turns the wheel there count
// times by delta (WHEEL_DELTA a notch, negative toward the user).
[[nodiscard]] bool TurnWheelAt(POINT point, int delta, int count);
