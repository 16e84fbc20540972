#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The floor of the start-up and scroll benchmarks: the same visible window
// tree as a framework window, built again as a plain Win32 program would
// build it. Every window gets a class with the same class style, background
// brush and cursor as the framework's, the same styles, place, size, window
// text and scroll ranges; "Button" children stay native buttons with the same
// font. The framework's text labels become plain windows that fill their
// background and draw the same text with DrawTextA in the same font, colour
// and format; the fonts are made once per tree. Other windows paint nothing.
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
    // The created window of the recorded window original, or none.
    [[nodiscard]] HWND FindCreated(HWND original) const;

private:
    struct Label {
        std::string text;
        LOGFONTA font {};
        UINT format = 0;
        RECT rect {};
        COLORREF textColor = 0;
        COLORREF background = 0;
        // Index into m_fonts while the tree exists.
        size_t fontIndex = 0;
    };
    struct Record {
        HWND original = nullptr;
        // Index of the parent record; -1 for the top-level window.
        int parent = -1;
        bool button = false;
        std::string className;
        DWORD style = 0;
        DWORD exStyle = 0;
        // Relative to the parent's client area (to the screen for the top).
        RECT rect {};
        std::string text;
        bool hasFont = false;
        SCROLLINFO vertical {};
        SCROLLINFO horizontal {};
        bool hasLabel = false;
        Label label;
    };

    static LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Capture(HWND hwnd, int parent);
    void RegisterClassLike(HWND original, Record& record);
    void PaintLabel(HWND hwnd, const Label& label) const;

    std::vector<Record> m_records;
    std::vector<HWND> m_handles;
    std::vector<HFONT> m_fonts;
    HWND m_top = nullptr;
};
