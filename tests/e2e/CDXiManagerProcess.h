#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Polls condition until it holds (true) or timeout passes (false).
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
// A path relative to the folder of this test program, as a Windows path.
std::string PathBesideTests(const char* relativePath);
bool EndsWith(const std::string& text, const std::string& suffix);
std::string GetClassNameOf(HWND window);
std::string GetTextOf(HWND window);

// The application as a child process of the test; one still running when the
// object goes is terminated, so no failed test leaves one behind.
class CDXiManagerProcess {
public:
    CDXiManagerProcess() = default;
    CDXiManagerProcess(const CDXiManagerProcess&) = delete;
    CDXiManagerProcess& operator=(const CDXiManagerProcess&) = delete;
    ~CDXiManagerProcess();

    // Starts the executable with the normal show command.
    [[nodiscard]] bool Start();
    // Visible top-level windows of the process, in the window manager's order.
    std::vector<HWND> GetTopLevelWindows() const;
    // The first of them whose class ends with classSuffix and, unless caption
    // is null, whose text is caption; null after timeout.
    HWND WaitForWindow(const char* classSuffix, const char* caption, std::chrono::milliseconds timeout) const;
    [[nodiscard]] bool WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const;

private:
    PROCESS_INFORMATION m_info {};
};
