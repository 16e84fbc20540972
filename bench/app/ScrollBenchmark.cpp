// Under Wine: one line step and one page step of the instrument list with
// 1,000 instruments, the main window's scroll view against the same visible
// window tree built as a plain Win32 program and scrolled with ScrollWindow:
// time to the completed repaint, and how many windows repaint.
#include "CRawWindowTree.h"
#include "WindowBenchmarkSupport.h"
#include "app/CDXiManagerWindow.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kRuns = 5;
constexpr int kInstruments = 1000;

struct CSteps {
    std::vector<double> time;
    std::vector<double> painted;
};

struct CResults {
    CSteps line;
    CSteps page;
};

int ScrollPosition(HWND view)
{
    return GetScrollPos(view, SB_VERT);
}

// Shows top alone and paints it, so that a step starts from a painted tree.
void ShowAlone(HWND top, HWND other)
{
    ShowWindow(other, SW_HIDE);
    ShowWindow(top, SW_SHOWNA);
    CompletePainting(top);
    CompletePainting(other);
}

// Times one step, done by scroll, to the completed repaint of top.
template <class Scroll> void TimeStep(HWND top, CSteps& steps, Scroll scroll)
{
    CMessageCounter counter;
    const BenchmarkClock::time_point start = BenchmarkClock::now();
    scroll();
    CompletePainting(top);
    steps.time.push_back(MillisecondsSince(start));
    steps.painted.push_back(static_cast<double>(counter.GetPaintedWindows()));
}

// The plain program's step: the new position, ScrollWindow, UpdateWindow.
void ScrollPlainView(HWND view, int pixels)
{
    const int position = ScrollPosition(view);
    SetScrollPos(view, SB_VERT, position + pixels, TRUE);
    ScrollWindow(view, 0, -pixels, nullptr, nullptr);
    UpdateWindow(view);
}

void Print(const char* step, const CSteps& framework, const CSteps& floor, int pixels)
{
    const double frameworkTime = Median(framework.time);
    const double floorTime = Median(floor.time);
    std::printf("%-5s %6d %10.2f %10.0f %10.2f %10.0f %6.2f\n", step, pixels, frameworkTime, Median(framework.painted),
        floorTime, Median(floor.painted), frameworkTime / floorTime);
}
} // namespace

int main()
{
    CDXiMemoryRegistry registry;
    RegisterInstruments(registry, kInstruments);
    CDXiManagerWindow window(registry);
    window.SetQuitOnDestroy(false);
    if (!window.CreateDialog(nullptr, 1)) {
        std::printf("warning: the main window could not be created\n");
        return 1;
    }
    const HWND top = window.GetHandle();
    ShowWindow(top, SW_SHOWNA);
    CompletePainting(top);
    // The scroll view is the child that holds the check boxes.
    HWND view = nullptr;
    for (HWND child = GetWindow(top, GW_CHILD); child && !view; child = GetWindow(child, GW_HWNDNEXT)) {
        if (CountCheckBoxes(child) > 0) {
            view = child;
        }
    }
    CRawWindowTree tree(top);
    const HWND plainTop = tree.Create();
    const HWND plainView = tree.FindCreated(view);
    if (!view || !plainTop || !plainView) {
        std::printf("warning: no scroll view to scroll\n");
        return 1;
    }
    SetWindowPos(plainTop, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CResults framework;
    CResults floor;
    int linePixels = 0;
    int pagePixels = 0;
    for (int run = 0; run < kRuns; ++run) {
        ShowAlone(top, plainTop);
        int before = ScrollPosition(view);
        TimeStep(top, framework.line, [&] { SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0); });
        linePixels = ScrollPosition(view) - before;
        before = ScrollPosition(view);
        TimeStep(top, framework.page, [&] { SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0); });
        pagePixels = ScrollPosition(view) - before;

        ShowAlone(plainTop, top);
        TimeStep(plainTop, floor.line, [&] { ScrollPlainView(plainView, linePixels); });
        TimeStep(plainTop, floor.page, [&] { ScrollPlainView(plainView, pagePixels); });
    }
    std::printf("Scrolling the list of %d instruments (%zu windows), median of %d steps\n", kInstruments,
        tree.GetWindowCount(), kRuns);
    std::printf(
        "%-5s %6s %10s %10s %10s %10s %6s\n", "step", "pixels", "main ms", "painted", "floor ms", "painted", "ratio");
    Print("line", framework.line, floor.line, linePixels);
    Print("page", framework.page, floor.page, pagePixels);
    std::printf("Step: WM_VSCROLL (SB_LINEDOWN or SB_PAGEDOWN) to the main window's scroll view, then the queue "
                "drained until nothing is left to paint. Floor: the same visible windows built as a plain Win32 "
                "program (see the start-up benchmark), scrolled by the same pixels with SetScrollPos, ScrollWindow "
                "and UpdateWindow, painted the same way. painted: windows that got WM_PAINT during the step.\n");
    tree.Destroy();
    window.Destroy();
    PumpPending();
    return 0;
}
