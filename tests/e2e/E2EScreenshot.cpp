#include "E2EScreenshot.h"

#include "CDXiManagerProcess.h"

#include <cstdio>
#include <memory>
#include <type_traits>

namespace {
struct CDeleteDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct CDeleteObject {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct CCloseFile {
    void operator()(FILE* file) const { std::fclose(file); }
};
struct CReleaseScreenDC {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
} // namespace

namespace {
// Reads outside the screen fail as a whole: a wide message box may reach past its edges.
RECT OnScreen(RECT area)
{
    const RECT screenRect { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&area, &area, &screenRect);
    return area;
}

BITMAPINFO DescribeCapture(int width, int height)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = ((static_cast<DWORD>(width) * 3 + 3) & ~3u) * static_cast<DWORD>(height);
    return info;
}
} // namespace

std::vector<unsigned char> CaptureScreen(RECT area)
{
    area = OnScreen(area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::unique_ptr<std::remove_pointer_t<HDC>, CReleaseScreenDC> screen(GetDC(nullptr));
    const std::unique_ptr<std::remove_pointer_t<HDC>, CDeleteDC> memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = DescribeCapture(width, height);
    void* bits = nullptr;
    const std::unique_ptr<std::remove_pointer_t<HBITMAP>, CDeleteObject> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap) {
        return {};
    }
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    SelectObject(memory.get(), previous);
    GdiFlush();
    if (!copied) {
        return {};
    }
    const auto* first = static_cast<const unsigned char*>(bits);
    return { first, first + info.bmiHeader.biSizeImage };
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
    if (pixels.empty()) {
        return {};
    }
    BITMAPINFO info = DescribeCapture(area.right - area.left, area.bottom - area.top);

    const std::string folder = PathBesideTests(DXI_E2E_SCREENSHOT_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".bmp";
    const std::unique_ptr<FILE, CCloseFile> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return {};
    }
    const DWORD imageSize = info.bmiHeader.biSizeImage;
    BITMAPFILEHEADER header {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + imageSize;
    const bool written = std::fwrite(&header, sizeof(header), 1, file.get()) == 1
        && std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file.get()) == 1
        && std::fwrite(pixels.data(), imageSize, 1, file.get()) == 1;
    return written ? path : std::string();
}
