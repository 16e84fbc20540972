#include "E2EScreenshot.h"

#include "CDXiManagerProcess.h"

#include <cstdio>

namespace {
// Reads outside the screen fail as a whole: a wide message box may reach past its edges.
RECT OnScreen(RECT area)
{
    const RECT screenRect { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&area, &area, &screenRect);
    return area;
}

BITMAPINFOHEADER DescribeCapture(const RECT& area)
{
    BITMAPINFOHEADER info {};
    info.biSize = sizeof(info);
    info.biWidth = area.right - area.left;
    info.biHeight = area.bottom - area.top;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = ((static_cast<DWORD>(info.biWidth) * 3 + 3) & ~3u) * static_cast<DWORD>(info.biHeight);
    return info;
}
} // namespace

std::vector<unsigned char> CaptureScreen(RECT area)
{
    area = OnScreen(area);
    if (IsRectEmpty(&area)) {
        return {};
    }
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info {};
    info.bmiHeader = DescribeCapture(area);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const BOOL copied = bitmap
        && BitBlt(memory, 0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    GdiFlush();
    std::vector<unsigned char> pixels;
    if (copied) {
        const auto* first = static_cast<const unsigned char*>(bits);
        pixels.assign(first, first + info.bmiHeader.biSizeImage);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string SaveScreenshot(const std::vector<HWND>& windows, const std::string& name)
{
    RECT area {};
    for (HWND window : windows) {
        RECT rect;
        if (GetWindowRect(window, &rect)) {
            UnionRect(&area, &area, &rect);
        }
    }
    area = OnScreen(area);
    const std::vector<unsigned char> pixels = CaptureScreen(area);
    const std::string folder = PathBesideTests(DXI_E2E_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".bmp";
    FILE* file = pixels.empty() ? nullptr : std::fopen(path.c_str(), "wb");
    if (!file) {
        return {};
    }
    const BITMAPINFOHEADER info = DescribeCapture(area);
    BITMAPFILEHEADER header {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + info.biSizeImage;
    const bool written = std::fwrite(&header, sizeof(header), 1, file) == 1
        && std::fwrite(&info, sizeof(info), 1, file) == 1 && std::fwrite(pixels.data(), info.biSizeImage, 1, file) == 1;
    return std::fclose(file) == 0 && written ? path : std::string();
}
