// Under Wine: the main window's start-up, from constructing the window object
// to its first completed paint, with 100 and 1,000 instruments read from the
// in-memory registry, against the same window tree built from plain windows.
#include "CDXiManagerWindow.h"
#include "CDXiMemoryRegistry.h"
#include "CRawWindowTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kRuns = 5;
constexpr int kMaxMessages = 1000000;
const char kTitle[] = "Vedodir's DXi Manager";

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Every third instrument is disabled, so both check states are drawn.
void Register(CDXiMemoryRegistry& registry, int count)
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

// The first paint is complete when every window of the tree has painted what
// showing it invalidated and the thread's queue holds nothing more: no posted
// or sent message, no pending WM_PAINT. UpdateWindow paints the tree; the
// queue is then drained, which also paints whatever the posted messages
// invalidate. False when the queue never ran dry.
bool CompleteFirstPaint(HWND top)
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

// Windows of the tree that still have something to paint.
int CountUnpainted(HWND hwnd)
{
    int count = GetUpdateRect(hwnd, nullptr, FALSE) ? 1 : 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        count += CountUnpainted(child);
    }
    return count;
}

int CountWindows(HWND hwnd)
{
    int count = 1;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        count += CountWindows(child);
    }
    return count;
}

// Top-level windows of this thread besides top: hidden helper windows (the
// framework's thread invokers, the system's own) outside the visible tree.
struct CCount {
    HWND top;
    int count;
};

BOOL CALLBACK CountOtherWindow(HWND hwnd, LPARAM data)
{
    auto* counted = reinterpret_cast<CCount*>(data);
    counted->count += hwnd != counted->top ? 1 : 0;
    return TRUE;
}

int CountOtherThreadWindows(HWND top)
{
    CCount count { top, 0 };
    EnumThreadWindows(GetCurrentThreadId(), CountOtherWindow, reinterpret_cast<LPARAM>(&count));
    return count.count;
}

void Drain()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A paint that did not complete makes the figures meaningless: say so.
void CheckPainted(bool completed, HWND top, const char* what)
{
    const int unpainted = CountUnpainted(top);
    if (!completed || unpainted) {
        std::printf("warning: %s did not finish its first paint (%d windows left)\n", what, unpainted);
    }
}

struct CTimes {
    int hiddenWindows = 0;
    std::vector<double> startUp;
    // The part of the start-up up to the created (not yet shown) window.
    std::vector<double> create;
    std::vector<double> destroy;
};

// Shown with SW_SHOWNA, so that no activation (and no focus change) enters
// the interval. A top-level window with a caption is still one Wine hands to
// the window manager, and without one its destruction waits about two
// seconds for the manager: destruction is timed apart, after the interval.
// Returns the framework window's tree for the floor when capture is set.
std::unique_ptr<CRawWindowTree> TimeFrameworkWindow(CDXiMemoryRegistry& registry, CTimes& times, bool capture)
{
    const Clock::time_point start = Clock::now();
    auto window = std::make_unique<CDXiManagerWindow>(registry);
    window->SetQuitOnDestroy(false);
    if (!window->CreateDialog(nullptr, 1)) {
        std::printf("warning: the main window could not be created\n");
        return nullptr;
    }
    times.create.push_back(MillisecondsSince(start));
    const HWND top = window->GetHandle();
    SetWindowTextA(top, kTitle);
    ShowWindow(top, SW_SHOWNA);
    UpdateWindow(top);
    const bool completed = CompleteFirstPaint(top);
    times.startUp.push_back(MillisecondsSince(start));

    CheckPainted(completed, top, "the main window");
    std::unique_ptr<CRawWindowTree> tree;
    if (capture) {
        tree = std::make_unique<CRawWindowTree>(top);
        times.hiddenWindows = CountOtherThreadWindows(top);
    }
    const Clock::time_point destroy = Clock::now();
    window.reset();
    Drain();
    times.destroy.push_back(MillisecondsSince(destroy));
    return tree;
}

void TimeFloor(CRawWindowTree& tree, CTimes& times)
{
    const Clock::time_point start = Clock::now();
    const HWND top = tree.Create();
    if (!top) {
        std::printf("warning: the plain window tree could not be created\n");
        return;
    }
    times.create.push_back(MillisecondsSince(start));
    ShowWindow(top, SW_SHOWNA);
    UpdateWindow(top);
    const bool completed = CompleteFirstPaint(top);
    times.startUp.push_back(MillisecondsSince(start));

    CheckPainted(completed, top, "the plain window tree");
    const Clock::time_point destroy = Clock::now();
    tree.Destroy();
    Drain();
    times.destroy.push_back(MillisecondsSince(destroy));
}

void RunInstruments(int count)
{
    CDXiMemoryRegistry registry;
    Register(registry, count);

    // The first run of each registers window classes and loads libraries;
    // it is left out, and its window tree is what the floor rebuilds.
    CTimes warmUp;
    const std::unique_ptr<CRawWindowTree> tree = TimeFrameworkWindow(registry, warmUp, true);
    if (!tree) {
        return;
    }
    const int hiddenWindows = warmUp.hiddenWindows;
    TimeFloor(*tree, warmUp);

    // Alternating runs share whatever the machine does meanwhile.
    CTimes framework;
    CTimes floor;
    for (int run = 0; run < kRuns; ++run) {
        TimeFrameworkWindow(registry, framework, false);
        TimeFloor(*tree, floor);
    }
    const double frameworkMedian = Median(framework.startUp);
    const double floorMedian = Median(floor.startUp);
    std::printf("%11d %7zu %7d %12.1f %10.1f %10.1f %10.1f %6.1f %9.1f %9.1f\n", count, tree->GetWindowCount(),
        hiddenWindows, frameworkMedian, Median(framework.create), floorMedian, Median(floor.create),
        frameworkMedian / floorMedian, Median(framework.destroy), Median(floor.destroy));
}
} // namespace

int main()
{
    std::printf("Main window start-up to first completed paint, median of %d runs, in ms\n", kRuns);
    std::printf("%11s %7s %7s %12s %10s %10s %10s %6s %9s %9s\n", "instruments", "windows", "hidden", "main window",
        "(created)", "floor", "(created)", "ratio", "destroy", "destroy");
    std::printf("%11s %7s %7s %12s %10s %10s %10s %6s %9s %9s\n", "", "", "", "", "", "", "", "", "main", "floor");
    for (const int count : { 100, 1000 }) {
        RunInstruments(count);
    }
    std::printf("Start-up: construct the window object over the in-memory registry, CreateDialog (scan, list, "
                "layout), title, ShowWindow (SW_SHOWNA), UpdateWindow, then the queue drained until no window of the "
                "tree has anything left to paint. Floor: the same windows (classes, styles, places, scroll ranges) "
                "from CreateWindowExA with DefWindowProcA and an empty WM_PAINT, shown and painted the same way; the "
                "main window also makes the hidden top-level windows counted apart (a thread invoker per framework "
                "window, with any the system keeps for the thread), the floor none. "
                "Destruction is timed apart: a captioned top-level window waits about 2 s for a window manager "
                "under Wine without one.\n");
    return 0;
}
