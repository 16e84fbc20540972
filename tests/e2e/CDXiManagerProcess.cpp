#include "CDXiManagerProcess.h"

#include <algorithm>
#include <thread>

namespace {
constexpr const char* kDialogClassSuffix = "::_GUIDialogWindowClass_";
} // namespace

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string PathBesideTests(const char* relativePath)
{
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module, length);
    path.erase(path.find_last_of("\\/") + 1);
    path += relativePath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string GetApplicationPath()
{
    return PathBesideTests(DXI_E2E_APP_PATH);
}

std::string GetClassNameOf(HWND window)
{
    char name[256];
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, length > 0 ? length : 0);
}

std::string GetTextOf(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

CDXiManagerProcess::~CDXiManagerProcess()
{
    End();
}

void CDXiManagerProcess::End()
{
    if (!m_info.hProcess) {
        return;
    }
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION {};
}

bool CDXiManagerProcess::Start()
{
    End();
    std::string path = GetApplicationPath();
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    return CreateProcessA(
               path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info)
        != FALSE;
}

namespace {
struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

// A callback of the platform's calling convention (lambdas convert to it only
// on 64-bit builds).
BOOL CALLBACK CollectVisibleWindowOfProcess(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && IsWindowVisible(window)) {
        search.windows.push_back(window);
    }
    return TRUE;
}
} // namespace

std::vector<HWND> CDXiManagerProcess::GetTopLevelWindows() const
{
    WindowSearch search { m_info.dwProcessId, {} };
    EnumWindows(CollectVisibleWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

HWND CDXiManagerProcess::WaitForWindow(
    const std::function<bool(HWND)>& matches, std::chrono::milliseconds timeout) const
{
    HWND found = nullptr;
    (void)WaitUntil(
        [&] {
            const std::vector<HWND> windows = GetTopLevelWindows();
            const auto match = std::find_if(windows.begin(), windows.end(), matches);
            found = match != windows.end() ? *match : nullptr;
            return found != nullptr;
        },
        timeout);
    return found;
}

HWND CDXiManagerProcess::WaitForMainWindow(std::chrono::milliseconds timeout) const
{
    return WaitForWindow([](HWND window) { return EndsWith(GetClassNameOf(window), kDialogClassSuffix); }, timeout);
}

HWND CDXiManagerProcess::WaitForMessageBox(const char* caption, std::chrono::milliseconds timeout) const
{
    return WaitForWindow(
        [caption](HWND window) { return GetClassNameOf(window) == "#32770" && GetTextOf(window) == caption; }, timeout);
}

bool CDXiManagerProcess::WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) const
{
    if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(m_info.hProcess, &exitCode) != FALSE;
}
