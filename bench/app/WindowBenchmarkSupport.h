#pragma once

#include "CDXiMemoryRegistry.h"
#include "WindowTestSupport.h"

#include <windows.h>

#include <chrono>
#include <set>
#include <vector>

// What the window benchmarks under Wine share: timing, the instruments they
// open, painting to completion and counting windows.

using BenchmarkClock = std::chrono::steady_clock;

double MillisecondsSince(BenchmarkClock::time_point start);
double Median(std::vector<double> values);

// count instruments named "Instrument <i>"; every third one is disabled, so
// both check states are drawn.
void RegisterInstruments(CDXiMemoryRegistry& registry, int count);

// Paints the tree of top until no window of it has anything left to paint
// and the thread's queue holds nothing more (no posted or sent message, no
// pending WM_PAINT): whatever the posted messages invalidate is painted too.
// False when the queue never ran dry.
bool CompletePainting(HWND top);
// Windows of the tree of hwnd that still have something to paint.
int CountUnpainted(HWND hwnd);
// Every USER window of the calling thread: top-level ones with all their
// descendants, and message-only ones.
int CountThreadWindows();
// Check boxes in the tree of hwnd: one per instrument row.
int CountCheckBoxes(HWND hwnd);

// Counts the messages the thread's window procedures get while it exists
// (sent ones, and those taken from the queue), and the windows among them
// that got WM_PAINT. One at a time per thread.
class CMessageCounter {
public:
    CMessageCounter();
    CMessageCounter(const CMessageCounter&) = delete;
    CMessageCounter& operator=(const CMessageCounter&) = delete;
    ~CMessageCounter();
    size_t GetMessages() const { return m_messages; }
    size_t GetPaintedWindows() const { return m_painted.size(); }

private:
    static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK QueuedHook(int code, WPARAM wParam, LPARAM lParam);
    void Count(HWND hwnd, UINT message);

    static CMessageCounter* s_counter;
    HHOOK m_sent = nullptr;
    HHOOK m_queued = nullptr;
    size_t m_messages = 0;
    std::set<HWND> m_painted;
};
