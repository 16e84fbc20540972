// Under Wine: the main window's start-up, from constructing the window object
// to its first completed paint, with 100 and 1,000 instruments read from the
// in-memory registry, against the same visible window tree built as a plain
// Win32 program; the USER windows each instrument row costs; and 4,000
// instruments opening with every row present.
#include "CRawWindowTree.h"
#include "WindowBenchmarkSupport.h"
#include "app/CDXiManagerWindow.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {
constexpr int kRuns = 5;
const char kTitle[] = "Vedodir's DXi Manager";

// A paint that did not complete makes the figures meaningless: say so.
void CheckPainted(bool completed, HWND top, const char* what)
{
    const int unpainted = CountUnpainted(top);
    if (!completed || unpainted) {
        std::printf("warning: %s did not finish its first paint (%d windows left)\n", what, unpainted);
    }
}

struct CTimes {
    std::vector<double> startUp;
    // The part of the start-up up to the created (not yet shown) window.
    std::vector<double> create;
    std::vector<double> destroy;
};

// What an open window leaves to be looked at before it is destroyed.
struct COpened {
    int threadWindows = 0;
    // Messages of the start-up, counted in a run that is not timed.
    size_t messages = 0;
    int checkBoxes = 0;
    std::unique_ptr<CRawWindowTree> tree;
};

// Times one start-up: open makes the hidden top-level window (none on
// failure), which is shown and painted to completion; look sees it open;
// close destroys it. Shown with SW_SHOWNA, so that no activation (and no
// focus change) enters the interval. A top-level window with a caption is
// still one Wine hands to the window manager, and without one its destruction
// waits about two seconds for the manager: destruction is timed apart, after
// the interval. Messages are counted when count is set.
template <class Open, class Look, class Close>
COpened TimeStartUp(CTimes& times, bool count, const char* what, Open open, Look look, Close close)
{
    COpened opened;
    std::optional<CMessageCounter> counter;
    if (count) {
        counter.emplace();
    }
    const BenchmarkClock::time_point start = BenchmarkClock::now();
    const HWND top = open();
    if (!top) {
        std::printf("warning: %s could not be created\n", what);
        return opened;
    }
    times.create.push_back(MillisecondsSince(start));
    ShowWindow(top, SW_SHOWNA);
    UpdateWindow(top);
    const bool completed = CompletePainting(top);
    times.startUp.push_back(MillisecondsSince(start));

    CheckPainted(completed, top, what);
    opened.messages = counter ? counter->GetMessages() : 0;
    counter.reset();
    opened.threadWindows = CountThreadWindows();
    opened.checkBoxes = CountCheckBoxes(top);
    look(top, opened);
    const BenchmarkClock::time_point destroy = BenchmarkClock::now();
    close();
    PumpPending();
    times.destroy.push_back(MillisecondsSince(destroy));
    return opened;
}

// The window's tree is captured for the floor when capture is set.
COpened TimeFrameworkWindow(CDXiMemoryRegistry& registry, CTimes& times, bool capture)
{
    std::unique_ptr<CDXiManagerWindow> window;
    return TimeStartUp(
        times, capture, "the main window",
        [&]() -> HWND {
            window = std::make_unique<CDXiManagerWindow>(registry);
            window->SetQuitOnDestroy(false);
            if (!window->CreateDialog(nullptr, 1)) {
                return nullptr;
            }
            SetWindowTextA(window->GetHandle(), kTitle);
            return window->GetHandle();
        },
        [&](HWND top, COpened& opened) {
            if (capture) {
                opened.tree = std::make_unique<CRawWindowTree>(top);
            }
        },
        [&] { window.reset(); });
}

COpened TimeFloor(CRawWindowTree& tree, CTimes& times, bool count)
{
    return TimeStartUp(
        times, count, "the plain window tree", [&] { return tree.Create(); }, [](HWND, COpened&) {},
        [&] { tree.Destroy(); });
}

// The window without instruments: what the rows are counted beyond.
struct CBase {
    COpened framework;
    COpened floor;
};

CBase MeasureBase()
{
    CDXiMemoryRegistry registry;
    CTimes times;
    CBase base;
    base.framework = TimeFrameworkWindow(registry, times, true);
    if (base.framework.tree) {
        base.floor = TimeFloor(*base.framework.tree, times, true);
    }
    return base;
}

// What one row adds to a count of the window with count rows.
template <class Value> double PerRow(Value withRows, Value base, int count)
{
    return (static_cast<double>(withRows) - static_cast<double>(base)) / count;
}

void RunInstruments(int count, int runs, const CBase& base)
{
    CDXiMemoryRegistry registry;
    RegisterInstruments(registry, count);

    // The first run of each registers window classes and loads libraries;
    // it is left out, and its window tree is what the floor rebuilds.
    CTimes warmUp;
    const COpened opened = TimeFrameworkWindow(registry, warmUp, true);
    if (!opened.tree) {
        return;
    }
    const COpened floorOpened = TimeFloor(*opened.tree, warmUp, true);

    // Alternating runs share whatever the machine does meanwhile.
    CTimes framework;
    CTimes floor;
    for (int run = 0; run < runs; ++run) {
        TimeFrameworkWindow(registry, framework, false);
        TimeFloor(*opened.tree, floor, false);
    }
    const double frameworkMedian = Median(framework.startUp);
    const double floorMedian = Median(floor.startUp);
    std::printf("%11d %4d %s %7zu %6.2f %6.2f %6.1f %6.1f %12.1f %10.1f %10.1f %10.1f %6.2f %9.1f %9.1f\n", count, runs,
        opened.checkBoxes == count ? "yes" : " no", opened.tree->GetWindowCount(),
        PerRow(opened.threadWindows, base.framework.threadWindows, count),
        PerRow(floorOpened.threadWindows, base.floor.threadWindows, count),
        PerRow(opened.messages, base.framework.messages, count),
        PerRow(floorOpened.messages, base.floor.messages, count), frameworkMedian, Median(framework.create),
        floorMedian, Median(floor.create), frameworkMedian / floorMedian, Median(framework.destroy),
        Median(floor.destroy));
}
} // namespace

int main()
{
    const CBase base = MeasureBase();
    std::printf("Main window start-up to first completed paint, median of the runs, in ms\n");
    std::printf("%11s %4s %3s %7s %6s %6s %6s %6s %12s %10s %10s %10s %6s %9s %9s\n", "instruments", "runs", "all",
        "windows", "USER/", "USER/", "msgs/", "msgs/", "main window", "(created)", "floor", "(created)", "ratio",
        "destroy", "destroy");
    std::printf("%11s %4s %3s %7s %6s %6s %6s %6s %12s %10s %10s %10s %6s %9s %9s\n", "", "", "rows", "", "row", "row",
        "row", "row", "", "", "", "", "", "main", "floor");
    std::printf("%11s %4s %3s %7s %6s %6s %6s %6s\n", "", "", "", "", "main", "floor", "main", "floor");
    for (const int count : { 100, 1000 }) {
        RunInstruments(count, kRuns, base);
    }
    RunInstruments(4000, 1, base);
    std::printf(
        "Start-up: construct the window object over the in-memory registry, CreateDialog (scan, list, layout), "
        "title, ShowWindow (SW_SHOWNA), UpdateWindow, then the queue drained until no window of the tree has "
        "anything left to paint. Floor: the same visible windows built as a plain Win32 program (classes with the "
        "same class styles, brushes and cursors, the same styles, places, texts, scroll ranges and fonts; the text "
        "labels fill their background and draw their text with DrawTextA), shown and painted the same way. "
        "windows: the visible tree. USER/row: the thread's USER windows (top-level and message-only ones with all "
        "their descendants) beyond those of the window without instruments, per instrument. msgs/row: the messages the "
        "window procedures get during the start-up (counted in an untimed run), likewise per instrument. all rows: "
        "every instrument has its check box. Destruction is timed apart: a captioned top-level window waits about 2 s "
        "for a window manager under Wine without one.\n");
    return 0;
}
