#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// The desktop as the user has it. Input goes through SendInput, routed by the
// window manager to the window under the cursor or with the focus; false when
// it could not be sent.
[[nodiscard]] bool ClickAt(POINT point);
// Clicks the centre of window once input there reaches it.
[[nodiscard]] bool ClickWindow(HWND window);
// Presses the keys in order (a modifier first), then releases them.
[[nodiscard]] bool PressKeys(std::initializer_list<WORD> keys);
// Turns the wheel count times by delta (negative toward the user) at point.
[[nodiscard]] bool TurnWheelAt(POINT point, int delta, int count);

constexpr size_t kBmpHeaderSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
// What the screen shows inside area (clipped to the screen) as a 24-bit BMP
// file: headers, then the rows bottom first, padded to four bytes; empty when
// nothing could be captured.
std::vector<unsigned char> CaptureScreen(RECT area);
// Saves what the screen shows around windows as <build>/e2e-screenshots/<name>.bmp.
[[nodiscard]] bool SaveScreenshot(const std::vector<HWND>& windows, const std::string& name);
