#include "CDXiManagerProcess.h"

#include <algorithm>
#include <thread>

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string PathBesideTests(const char* relativePath)
{
    char module[MAX_PATH];
    std::string path(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
    path.erase(path.find_last_of("\\/") + 1);
    path += relativePath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string GetClassNameOf(HWND window)
{
    char name[256];
    return std::string(name, static_cast<size_t>(std::max(GetClassNameA(window, name, sizeof(name)), 0)));
}

std::string GetTextOf(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

CDXiManagerProcess::~CDXiManagerProcess()
{
    if (m_info.hProcess) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
}

bool CDXiManagerProcess::Start()
{
    const std::string path = PathBesideTests(DXI_E2E_APP_PATH);
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    return CreateProcessA(
        path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info);
}

std::vector<HWND> CDXiManagerProcess::GetTopLevelWindows() const
{
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == m_info.dwProcessId && IsWindowVisible(window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

HWND CDXiManagerProcess::WaitForWindow(
    const char* classSuffix, const char* caption, std::chrono::milliseconds timeout) const
{
    HWND found = nullptr;
    (void)WaitUntil(
        [&] {
            for (HWND window : GetTopLevelWindows()) {
                if (EndsWith(GetClassNameOf(window), classSuffix) && (!caption || GetTextOf(window) == caption)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

bool CDXiManagerProcess::WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const
{
    return WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0
        && GetExitCodeProcess(m_info.hProcess, &exitCode);
}
