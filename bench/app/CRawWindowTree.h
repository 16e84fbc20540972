#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The floor of the start-up benchmark: the same window tree as a framework
// window (classes, styles, positions, sizes, texts, scroll ranges, button
// fonts), built again from plain windows whose procedure is DefWindowProcA
// with an empty WM_PAINT. "Button" children stay native buttons; every other
// window gets a plain class of its own. A window that had a font set gets the
// stock GUI font, the only one the framework's buttons use.
class CRawWindowTree {
public:
    // Records the shape of top and of every window below it.
    explicit CRawWindowTree(HWND top);
    CRawWindowTree(const CRawWindowTree&) = delete;
    CRawWindowTree& operator=(const CRawWindowTree&) = delete;
    ~CRawWindowTree();

    // Creates the recorded windows, hidden, and returns the top-level one
    // (null on failure). A tree that exists already is destroyed first.
    HWND Create();
    void Destroy();
    // How many windows the tree holds, the top-level one included.
    [[nodiscard]] size_t GetWindowCount() const { return m_records.size(); }

private:
    struct Record {
        // Index of the parent record; -1 for the top-level window.
        int parent = -1;
        bool button = false;
        DWORD style = 0;
        DWORD exStyle = 0;
        // Relative to the parent's client area (to the screen for the top).
        RECT rect {};
        std::string text;
        bool hasFont = false;
        SCROLLINFO vertical {};
        SCROLLINFO horizontal {};
    };

    void Capture(HWND hwnd, int parent);

    std::vector<Record> m_records;
    HWND m_top = nullptr;
};
