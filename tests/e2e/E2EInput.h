#pragma once

#include <windows.h>

#include <initializer_list>

// Real input through SendInput, as the user's mouse and keyboard give it:
// the window manager routes it to whatever window is under the cursor or
// has the keyboard focus. False when the input could not be sent.

// Moves the cursor to a point of the screen and clicks the left button there.
[[nodiscard]] bool ClickAt(POINT point);
// Clicks at the centre of window, once input there reaches it.
[[nodiscard]] bool ClickWindow(HWND window);
// Presses the virtual keys in order (a modifier first), then releases them.
[[nodiscard]] bool PressKeys(std::initializer_list<WORD> keys);
// Moves the cursor to a point of the screen and turns the wheel there count
// times by delta (WHEEL_DELTA a notch, negative toward the user).
[[nodiscard]] bool TurnWheelAt(POINT point, int delta, int count);
