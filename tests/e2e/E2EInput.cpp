#include "E2EInput.h"

#include "CDXiManagerProcess.h"

namespace {
bool Send(INPUT* inputs, UINT count)
{
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}

bool MoveCursorTo(POINT point)
{
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((point.y * 65536LL + height / 2) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (!Send(&input, 1)) {
        return false;
    }
    POINT cursor;
    // The input must land where the window is, not a pixel beside it.
    return (GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y) || SetCursorPos(point.x, point.y);
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
    INPUT inputs[2] {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return MoveCursorTo(centre) && Send(inputs, 2);
}

bool TurnWheelAt(POINT point, int delta, int count)
{
    INPUT input {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    if (!MoveCursorTo(point)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (!Send(&input, 1)) {
            return false;
        }
    }
    return true;
}

bool PressKeyWith(WORD modifier, WORD virtualKey)
{
    INPUT inputs[4] {};
    const WORD keys[4] = { modifier, virtualKey, virtualKey, modifier };
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return Send(inputs, 4);
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
