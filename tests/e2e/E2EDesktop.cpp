#include "E2EDesktop.h"

#include "CDXiManagerProcess.h"

#include <cstdio>

namespace {
bool Send(INPUT* inputs, UINT count)
{
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}

INPUT MouseInput(DWORD flags)
{
    INPUT input {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

bool MoveCursorTo(POINT point)
{
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = static_cast<LONG>((point.x * 65536LL + width / 2) / width);
    input.mi.dy = static_cast<LONG>((point.y * 65536LL + height / 2) / height);
    POINT cursor;
    // The input must land where the window is, not a pixel beside it.
    return Send(&input, 1)
        && ((GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y) || SetCursorPos(point.x, point.y));
}

// A window still holding the mouse from the last press (a scroll bar that has
// not yet seen its button go up) would take a new click meant for another.
bool NoCaptureAt(POINT point)
{
    GUITHREADINFO thread {};
    thread.cbSize = sizeof(thread);
    return GetGUIThreadInfo(GetWindowThreadProcessId(WindowFromPoint(point), nullptr), &thread)
        && thread.hwndCapture == nullptr;
}
} // namespace

bool ClickAt(POINT point)
{
    INPUT inputs[2] { MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) };
    return WaitUntil([&] { return NoCaptureAt(point); }, std::chrono::seconds(5)) && MoveCursorTo(point)
        && Send(inputs, 2);
}

bool ClickWindow(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const POINT centre { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    // A window just shown may not yet be where input is routed.
    return WaitUntil([&] { return WindowFromPoint(centre) == window; }, std::chrono::seconds(5)) && ClickAt(centre);
}

bool TurnWheelAt(POINT point, int delta, int count)
{
    INPUT input = MouseInput(MOUSEEVENTF_WHEEL);
    input.mi.mouseData = static_cast<DWORD>(delta);
    std::vector<INPUT> turns(static_cast<size_t>(count), input);
    return MoveCursorTo(point) && Send(turns.data(), static_cast<UINT>(count));
}

bool PressKeys(std::initializer_list<WORD> keys)
{
    // Pressed in order, released in reverse.
    std::vector<INPUT> inputs(2 * keys.size());
    size_t down = 0;
    for (WORD key : keys) {
        INPUT& press = inputs[down];
        INPUT& release = inputs[inputs.size() - 1 - down++];
        press.type = release.type = INPUT_KEYBOARD;
        press.ki.wVk = release.ki.wVk = key;
        release.ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return Send(inputs.data(), static_cast<UINT>(inputs.size()));
}

std::vector<unsigned char> CaptureScreen(RECT area)
{
    // Reads outside the screen fail as a whole, and a wide message box may reach past its edges.
    const RECT screenRect { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (!IntersectRect(&area, &area, &screenRect)) {
        return {};
    }
    BITMAPINFO info {};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(header);
    header.biWidth = area.right - area.left;
    header.biHeight = area.bottom - area.top;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = ((header.biWidth * 3 + 3) & ~3) * header.biHeight;
    BITMAPFILEHEADER file {};
    file.bfType = 0x4D42;
    file.bfOffBits = kBmpHeaderSize;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    unsigned char* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied
        = bitmap && BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    GdiFlush();
    std::vector<unsigned char> image;
    if (copied) {
        const auto* fileBytes = reinterpret_cast<const unsigned char*>(&file);
        const auto* headerBytes = reinterpret_cast<const unsigned char*>(&header);
        image.insert(image.end(), fileBytes, fileBytes + sizeof(file));
        image.insert(image.end(), headerBytes, headerBytes + sizeof(header));
        image.insert(image.end(), bits, bits + header.biSizeImage);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

bool SaveScreenshot(const std::vector<HWND>& windows, const std::string& name)
{
    RECT area {};
    for (HWND window : windows) {
        RECT rect;
        if (GetWindowRect(window, &rect)) {
            UnionRect(&area, &area, &rect);
        }
    }
    const std::vector<unsigned char> image = CaptureScreen(area);
    const std::string folder = PathBesideTests(DXI_E2E_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    FILE* file = image.empty() ? nullptr : std::fopen((folder + "\\" + name + ".bmp").c_str(), "wb");
    const bool written = file && std::fwrite(image.data(), image.size(), 1, file) == 1;
    return file && std::fclose(file) == 0 && written;
}
