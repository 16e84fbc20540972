#pragma once

#include "E2EDesktop.h"

// The application as a child process of the test; one still running when the
// object goes is terminated, so no failed test leaves one behind.
class CDXiManagerProcess {
public:
    CDXiManagerProcess() = default;
    CDXiManagerProcess(const CDXiManagerProcess&) = delete;
    CDXiManagerProcess& operator=(const CDXiManagerProcess&) = delete;
    ~CDXiManagerProcess()
    {
        if (m_info.hProcess) {
            TerminateProcess(m_info.hProcess, 1);
            WaitForSingleObject(m_info.hProcess, 10000);
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
        }
    }

    // Starts the executable with the normal show command.
    [[nodiscard]] bool Start()
    {
        const std::string path = PathBesideTests(DXI_E2E_APP_PATH);
        STARTUPINFOA startup {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        return CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info);
    }

    // Visible top-level windows of the process, in the window manager's
    // order, whose class name contains className and, unless caption is null,
    // whose text is caption.
    std::vector<HWND> GetTopLevelWindows(const char* className = "", const char* caption = nullptr) const
    {
        std::vector<HWND> windows;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == m_info.dwProcessId && IsWindowVisible(window)
                && GetClassNameOf(window).find(className) != std::string::npos
                && (!caption || GetTextOf(window) == caption)) {
                windows.push_back(window);
            }
        }
        return windows;
    }

    // The first of them; null after timeout.
    HWND WaitForWindow(const char* className, const char* caption, std::chrono::milliseconds timeout) const
    {
        std::vector<HWND> windows;
        (void)WaitUntil([&] { return !(windows = GetTopLevelWindows(className, caption)).empty(); }, timeout);
        return windows.empty() ? nullptr : windows[0];
    }

    // The exit code, or STILL_ACTIVE when the process has not ended by timeout.
    DWORD WaitForExitCode(std::chrono::milliseconds timeout) const
    {
        DWORD exitCode = STILL_ACTIVE;
        if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0) {
            GetExitCodeProcess(m_info.hProcess, &exitCode);
        }
        return exitCode;
    }

private:
    PROCESS_INFORMATION m_info {};
};
