#pragma once

#include "CDXiMemoryRegistry.h"

#include <windows.h>

#include <chrono>
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
// Dispatches whatever this thread has queued.
void DrainMessages();
// Windows of the tree of hwnd that still have something to paint.
int CountUnpainted(HWND hwnd);
// Every USER window of the calling thread: top-level ones with all their
// descendants, and message-only ones.
int CountThreadWindows();
// Check boxes in the tree of hwnd: one per instrument row.
int CountCheckBoxes(HWND hwnd);
