#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

// Polls condition until it holds or timeout passes; whether it holds then.
[[nodiscard]] inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool holds = false;
    while (!(holds = condition()) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return holds;
}

// A path relative to the folder of this test program, as a Windows path.
inline std::string PathBesideTests(const char* relativePath)
{
    char module[MAX_PATH];
    std::string path(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
    path.replace(path.find_last_of("\\/") + 1, std::string::npos, relativePath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string GetClassNameOf(HWND window)
{
    char name[256];
    return std::string(name, static_cast<size_t>(std::max(GetClassNameA(window, name, sizeof(name)), 0)));
}

inline std::string GetTextOf(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

// A window's rectangle in the client coordinates of reference (null: the screen).
inline RECT RectIn(HWND window, HWND reference = nullptr)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline POINT Centre(const RECT& rect)
{
    return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
}

// Focus and mouse capture in the thread of window; all null when unknown.
inline GUITHREADINFO GetGuiThreadOf(HWND window)
{
    GUITHREADINFO thread {};
    thread.cbSize = sizeof(thread);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) ? thread : GUITHREADINFO {};
}

// Input goes through SendInput, routed by the window manager to the window
// under the cursor or with the focus; false when it could not be sent.
[[nodiscard]] inline bool SendInputs(std::vector<INPUT> inputs)
{
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Mouse events of flags at point, each wheel event a turn by wheelDelta
// (negative toward the user). Each event carries the point, as a real mouse's
// do: a late pointer motion from an earlier move must not carry a click away.
[[nodiscard]] inline bool SendMouseAt(POINT point, const std::vector<DWORD>& flags, int wheelDelta = 0)
{
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto dx = static_cast<LONG>((point.x * 65536LL + width / 2) / width);
    const auto dy = static_cast<LONG>((point.y * 65536LL + height / 2) / height);
    std::vector<INPUT> inputs(flags.size(), INPUT { INPUT_MOUSE, {} });
    for (size_t i = 0; i < flags.size(); ++i) {
        inputs[i].mi
            = { dx, dy, static_cast<DWORD>(wheelDelta), flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0 };
    }
    // The window's thread takes in the move before the buttons come.
    const HWND target = WindowFromPoint(point);
    return SetCursorPos(point.x, point.y)
        && (!target || SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr)) && SendInputs(inputs);
}

[[nodiscard]] inline bool ClickAt(POINT point)
{
    // A window still holding the mouse from the last press (a scroll bar that
    // has not yet seen its button go up) would take a click meant for another.
    return WaitUntil([&] { return !GetGuiThreadOf(WindowFromPoint(point)).hwndCapture; }, std::chrono::seconds(5))
        && SendMouseAt(point, { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP });
}

// Clicks the centre of window once input there reaches it.
[[nodiscard]] inline bool ClickWindow(HWND window)
{
    const POINT centre = Centre(RectIn(window));
    // A window just shown may not yet be where input is routed.
    return WaitUntil([&] { return WindowFromPoint(centre) == window; }, std::chrono::seconds(5)) && ClickAt(centre);
}

// Presses the keys in order (a modifier first), then releases them in reverse.
[[nodiscard]] inline bool PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<WORD> order(keys);
    order.insert(order.end(), std::rbegin(keys), std::rend(keys));
    std::vector<INPUT> inputs(order.size(), INPUT { INPUT_KEYBOARD, {} });
    for (size_t i = 0; i < order.size(); ++i) {
        inputs[i].ki = { order[i], 0, i < keys.size() ? 0u : KEYEVENTF_KEYUP, 0, 0 };
    }
    return SendInputs(inputs);
}

// What the screen shows inside area, which is clipped to the screen: 32-bit
// pixels, top row first; empty when nothing could be captured.
inline std::vector<DWORD> CaptureScreen(RECT& area)
{
    // Reads outside the screen fail as a whole, and a wide message box may reach past its edges.
    const RECT screenRect { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&area, &area, &screenRect);
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    BITMAPINFO info {};
    info.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    DWORD* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = bitmap && BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    GdiFlush();
    const std::vector<DWORD> pixels = copied ? std::vector<DWORD>(bits, bits + width * height) : std::vector<DWORD>();
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Saves what the screen shows around windows as <build>/e2e-screenshots/<name>.bmp.
[[nodiscard]] inline bool SaveScreenshot(const std::vector<HWND>& windows, const std::string& name)
{
    RECT area {};
    for (HWND window : windows) {
        const RECT rect = RectIn(window);
        UnionRect(&area, &area, &rect);
    }
    const std::vector<DWORD> pixels = CaptureScreen(area);
    const BITMAPINFOHEADER header { sizeof(header), area.right - area.left, area.top - area.bottom, 1, 32, BI_RGB, 0, 0,
        0, 0, 0 };
    const auto size = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(header);
    const BITMAPFILEHEADER fileHeader { 0x4D42, headers + size, 0, 0, headers };
    const std::string folder = PathBesideTests(DXI_E2E_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream file(folder + "\\" + name + ".bmp", std::ios::binary);
    file.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader))
        .write(reinterpret_cast<const char*>(&header), sizeof(header))
        .write(reinterpret_cast<const char*>(pixels.data()), size);
    return !pixels.empty() && file.flush().good();
}
