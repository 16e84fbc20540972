#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Copies what the screen shows inside the smallest rectangle around windows
// (clipped to the screen)
// into <build>/e2e-screenshots/<name>.bmp (24 bits per pixel). Returns the
// file's path, or an empty text when nothing could be captured or written.
std::string SaveScreenshot(const std::vector<HWND>& windows, const std::string& name);

// The screen's pixels inside area (clipped to the screen), bottom row first,
// three bytes a pixel, rows padded to four bytes; empty when nothing could be
// captured.
std::vector<unsigned char> CaptureScreen(RECT area);
