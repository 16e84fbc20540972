#include "E2EInput.h"

#include "CDXiManagerProcess.h"

#include <vector>

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

bool PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs(2 * keys.size());
    size_t down = 0;
    for (WORD key : keys) {
        // Pressed in order, released in reverse.
        for (INPUT* input : { &inputs[down], &inputs[inputs.size() - 1 - down] }) {
            input->type = INPUT_KEYBOARD;
            input->ki.wVk = key;
        }
        inputs[inputs.size() - 1 - down++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return Send(inputs.data(), static_cast<UINT>(inputs.size()));
}
