#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Polls condition every few milliseconds until it holds or timeout passes;
// true when it held.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The file named by a path relative to the folder of this test program, as a
// Windows path.
std::string PathBesideTests(const char* relativePath);

// The built DXiManager.exe.
std::string GetApplicationPath();

// Whether text ends with suffix.
bool EndsWith(const std::string& text, const std::string& suffix);

// The class name of a window, and its text as the window manager keeps it.
std::string GetClassNameOf(HWND window);
std::string GetTextOf(HWND window);

// The application running as a child process of the test. A process still
// running when the object goes is terminated, so no failed test leaves one.
class CDXiManagerProcess {
public:
    CDXiManagerProcess() = default;
    CDXiManagerProcess(const CDXiManagerProcess&) = delete;
    CDXiManagerProcess& operator=(const CDXiManagerProcess&) = delete;
    ~CDXiManagerProcess();

    // Starts the executable with the normal show command (ending the one
    // started before); false when it could not be started.
    [[nodiscard]] bool Start();

    // Visible top-level windows of the process, in the window manager's order.
    std::vector<HWND> GetTopLevelWindows() const;
    // The main window (its dialog window class) once it is visible, or null
    // after timeout.
    HWND WaitForMainWindow(std::chrono::milliseconds timeout) const;
    // A visible message box ("#32770") of the process with that caption, or
    // null after timeout.
    HWND WaitForMessageBox(const char* caption, std::chrono::milliseconds timeout) const;

    // True when the process ended within timeout; its exit code is then in
    // exitCode.
    [[nodiscard]] bool WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const;

private:
    // The first visible top-level window of the process that matches, or null
    // after timeout.
    HWND WaitForWindow(const std::function<bool(HWND)>& matches, std::chrono::milliseconds timeout) const;
    // Terminates the process if it still runs and releases its handles.
    void End();

    PROCESS_INFORMATION m_info {};
};
