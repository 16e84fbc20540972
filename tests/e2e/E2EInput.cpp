#include "E2EInput.h"

#include "CDXiManagerProcess.h"

namespace {
bool Send(INPUT* inputs, UINT count)
{
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}
} // namespace

bool ClickWindow(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const POINT centre { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    // A window that has just been shown may not yet be where the input is routed.
    const bool reachable = WaitUntil([&] { return WindowFromPoint(centre) == window; }, std::chrono::seconds(5));
    return reachable && ClickAt(centre);
}

bool ClickAt(POINT centre)
{
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
    }
    inputs[0].mi.dx = static_cast<LONG>((centre.x * 65536LL + width / 2) / width);
    inputs[0].mi.dy = static_cast<LONG>((centre.y * 65536LL + height / 2) / height);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (!Send(inputs, 1)) {
        return false;
    }
    POINT cursor;
    // The click must land where the window is, not a pixel beside it.
    if (!GetCursorPos(&cursor) || cursor.x != centre.x || cursor.y != centre.y) {
        if (!SetCursorPos(centre.x, centre.y)) {
            return false;
        }
    }
    return Send(inputs + 1, 2);
}

bool PressKey(WORD virtualKey)
{
    INPUT inputs[2] {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return Send(inputs, 2);
}
