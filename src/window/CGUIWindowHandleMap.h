#pragma once

#include "runtime/CGUILock.h"

#include <windows.h>

#include <unordered_map>

class CGUIWindow;

// The process's bound framework windows by native handle: what the window
// property "_CGUIWindow::Ptr_" says too, but read without asking the window
// server, which every routed message would otherwise do. Any thread may use
// it; the map is changed and read under its lock.
class CGUIWindowHandleMap {
public:
    static CGUIWindowHandleMap& GetInstance();

    CGUIWindowHandleMap(const CGUIWindowHandleMap&) = delete;
    CGUIWindowHandleMap& operator=(const CGUIWindowHandleMap&) = delete;

    void Bind(HWND hwnd, CGUIWindow* window);
    // Only while hwnd is still bound to window: a handle the platform has
    // handed out again keeps its new binding.
    void Unbind(HWND hwnd, const CGUIWindow* window);
    [[nodiscard]] CGUIWindow* Find(HWND hwnd);

private:
    CGUIWindowHandleMap() = default;
    ~CGUIWindowHandleMap() = default;

    CGUILock m_lock;
    std::unordered_map<HWND, CGUIWindow*> m_windows;
};
