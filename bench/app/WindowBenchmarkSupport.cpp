#include "WindowBenchmarkSupport.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kMaxMessages = 1000000;

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTreeOf(HWND hwnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(hwnd, CountWindow, count);
    return TRUE;
}

bool IsCheckBox(HWND hwnd)
{
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    return lstrcmpiA(className, "Button") == 0 && (GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

BOOL CALLBACK CountCheckBox(HWND hwnd, LPARAM count)
{
    *reinterpret_cast<int*>(count) += IsCheckBox(hwnd) ? 1 : 0;
    return TRUE;
}
} // namespace

double MillisecondsSince(BenchmarkClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchmarkClock::now() - start).count();
}

double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void RegisterInstruments(CDXiMemoryRegistry& registry, int count)
{
    char path[96];
    char description[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(
            path, sizeof(path), "MfxSoftSynths\\%s{%08X-0000-4000-8000-%012d}", i % 3 == 2 ? "_Disabled_" : "", i, i);
        std::snprintf(description, sizeof(description), "Instrument %d", i);
        registry.SetString(path, "Description", description);
    }
}

bool CompletePainting(HWND top)
{
    RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    for (int i = 0; i < kMaxMessages; ++i) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            GdiFlush();
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return false;
}

int CountUnpainted(HWND hwnd)
{
    int count = GetUpdateRect(hwnd, nullptr, FALSE) ? 1 : 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        count += CountUnpainted(child);
    }
    return count;
}

int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTreeOf, reinterpret_cast<LPARAM>(&count));
    const DWORD thread = GetCurrentThreadId();
    for (HWND hwnd = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd;
         hwnd = FindWindowExA(HWND_MESSAGE, hwnd, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(hwnd, nullptr) == thread) {
            CountTreeOf(hwnd, reinterpret_cast<LPARAM>(&count));
        }
    }
    return count;
}

int CountCheckBoxes(HWND hwnd)
{
    int count = 0;
    EnumChildWindows(hwnd, CountCheckBox, reinterpret_cast<LPARAM>(&count));
    return count;
}

CMessageCounter* CMessageCounter::s_counter = nullptr;

CMessageCounter::CMessageCounter()
{
    s_counter = this;
    m_sent = SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, GetCurrentThreadId());
    m_queued = SetWindowsHookExA(WH_GETMESSAGE, QueuedHook, nullptr, GetCurrentThreadId());
}

CMessageCounter::~CMessageCounter()
{
    UnhookWindowsHookEx(m_sent);
    UnhookWindowsHookEx(m_queued);
    s_counter = nullptr;
}

void CMessageCounter::Count(HWND hwnd, UINT message)
{
    ++m_messages;
    if (message == WM_PAINT) {
        m_painted.insert(hwnd);
    }
}

LRESULT CALLBACK CMessageCounter::SentHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && s_counter) {
        s_counter->Count(sent->hwnd, sent->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CMessageCounter::QueuedHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* queued = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && s_counter && queued->hwnd) {
        s_counter->Count(queued->hwnd, queued->message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
