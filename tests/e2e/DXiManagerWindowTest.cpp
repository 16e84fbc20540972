#include "CDXiManagerProcess.h"
#include "E2EInput.h"
#include "E2ERegistry.h"
#include "E2EScreenshot.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

using namespace std::chrono_literals;

namespace {
constexpr auto kStartTimeout = 30s;
// Without a window manager Wine waits up to two seconds for one whenever an
// active top-level window goes away.
constexpr auto kReactionTimeout = 10s;

constexpr const char* kTitle = "Vedodir's DXi Manager";
constexpr const char* kReadErrorPrefix = "Error while reading registry. Check that you have admin rights:\n";
constexpr const char* kEditErrorPrefix = "Failed to edit registry. Check that you have admin rights:\n";
constexpr const char* kMarker = "_Disabled_";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

// A window's rectangle in the client coordinates of another.
RECT RectIn(HWND window, HWND reference)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every window under parent, in the window manager's order.
std::vector<HWND> AllChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The direct children of parent.
std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children = AllChildrenOf(parent);
    children.erase(
        std::remove_if(children.begin(), children.end(), [parent](HWND w) { return GetParent(w) != parent; }),
        children.end());
    return children;
}

std::string SystemMessage(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length
        = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
            nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer ? buffer : "", length);
    LocalFree(buffer);
    return text;
}

LRESULT CheckState(HWND checkBox)
{
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0);
}

class DXiManagerWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ResetPluginRoot()); }

    // Starts the application and waits for its main window and scroll view.
    void StartApplication()
    {
        ASSERT_TRUE(m_app.Start()) << "cannot start " << GetApplicationPath() << ": error " << GetLastError();
        m_main = m_app.WaitForMainWindow(kStartTimeout);
        ASSERT_NE(m_main, nullptr) << "no main window within " << kStartTimeout.count() << " s";
        ASSERT_NO_FATAL_FAILURE(Synchronise());
        FindScrollView();
    }

    void FindScrollView()
    {
        for (HWND child : ChildrenOf(m_main)) {
            if (EndsWith(GetClassNameOf(child), "::_GUIChildWindowClass_")) {
                m_scrollView = child;
            }
        }
        ASSERT_NE(m_scrollView, nullptr) << "no framework child window in the main window";
    }

    // The main window's native button with that text.
    HWND Button(const char* text)
    {
        for (HWND child : ChildrenOf(m_main)) {
            if (GetClassNameOf(child) == "Button" && GetTextOf(child) == text) {
                return child;
            }
        }
        return nullptr;
    }

    // The instrument rows' check boxes, from top to bottom.
    std::vector<HWND> CheckBoxes()
    {
        std::vector<HWND> boxes;
        for (HWND child : ChildrenOf(m_scrollView)) {
            if (GetClassNameOf(child) == "Button") {
                boxes.push_back(child);
            }
        }
        std::sort(boxes.begin(), boxes.end(),
            [this](HWND a, HWND b) { return RectIn(a, m_scrollView).top < RectIn(b, m_scrollView).top; });
        return boxes;
    }

    // Returns once the application has handled everything sent to it so far.
    void Synchronise()
    {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result), 0);
    }

    bool AnyMessageBoxShown()
    {
        const std::vector<HWND> windows = m_app.GetTopLevelWindows();
        return std::any_of(windows.begin(), windows.end(), [](HWND w) { return GetClassNameOf(w) == "#32770"; });
    }

    // Clicks a check box and waits until its mark has flipped.
    void ClickCheckBox(HWND box)
    {
        const LRESULT before = CheckState(box);
        ASSERT_TRUE(ClickWindow(box));
        ASSERT_TRUE(WaitUntil([&] { return CheckState(box) != before; }, kReactionTimeout))
            << "the click did not reach the check box";
    }

    // Presses the box's OK button and waits until the box is gone.
    void PressOk(HWND box)
    {
        ASSERT_TRUE(ClickWindow(GetDlgItem(box, IDOK)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kReactionTimeout)) << "OK did not close the box";
    }

    void Screenshot(const char* moment = nullptr)
    {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        if (moment) {
            name += std::string("-") + moment;
        }
        const std::vector<HWND> windows = m_app.GetTopLevelWindows();
        RepaintAndWait(windows);
        const std::string path = SaveScreenshot(windows, name);
        EXPECT_FALSE(path.empty()) << "no screenshot for " << name;
    }

    // The main window's pixels as the screen shows them, repainted afresh.
    std::vector<unsigned char> CaptureMainWindow()
    {
        RepaintAndWait({ m_main });
        RECT rect {};
        GetWindowRect(m_main, &rect);
        return CaptureScreen(rect);
    }

    // A window that has just appeared may not have painted yet, and Wine puts
    // what was painted on the screen when the thread next goes idle.
    void RepaintAndWait(const std::vector<HWND>& windows)
    {
        for (HWND window : windows) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        const auto painted = [](HWND window) { return !GetUpdateRect(window, nullptr, FALSE); };
        EXPECT_TRUE(WaitUntil(
            [&] {
                for (HWND window : windows) {
                    const std::vector<HWND> children = AllChildrenOf(window);
                    if (!painted(window) || !std::all_of(children.begin(), children.end(), painted)) {
                        return false;
                    }
                }
                return true;
            },
            kReactionTimeout))
            << "the windows did not paint";
        for (HWND window : windows) {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        }
    }

    // The screen points where two captures of the main window differ.
    std::vector<POINT> ChangedPixels(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after)
    {
        std::vector<POINT> points;
        RECT window {};
        GetWindowRect(m_main, &window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
        if (before.size() != after.size() || before.size() != stride * static_cast<size_t>(height)) {
            ADD_FAILURE() << "the captures differ in size";
            return points;
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t at = static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
                if (!std::equal(&before[at], &before[at] + 3, &after[at])) {
                    points.push_back(POINT { window.left + x, window.top + y });
                }
            }
        }
        return points;
    }

    HWND FocusedWindow()
    {
        GUITHREADINFO thread {};
        thread.cbSize = sizeof(thread);
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_main, nullptr), &thread) ? thread.hwndFocus : nullptr;
    }

    void ExpectExitCodeZero()
    {
        DWORD exitCode = 0xFFFFFFFF;
        ASSERT_TRUE(m_app.WaitForExit(kReactionTimeout, exitCode)) << "the process did not end";
        EXPECT_EQ(exitCode, 0u);
    }

    CDXiManagerProcess m_app;
    HWND m_main = nullptr;
    HWND m_scrollView = nullptr;
};

const std::string kOrgan = "{0A4E6A2D-1B7C-4C15-9F01-6E2B3C4D5E01}";
const std::string kBass = "{7C10B9E4-52AA-4F0D-8E3B-1D2C3B4A5F02}";
const std::string kPiano = "{b2d3c4e5-6f70-4182-93a4-b5c6d7e8f903}";
const std::string kStrings = "{E3F4A5B6-C7D8-49EA-BBCC-DDEEFF001104}";

// The name view on the same row as box: the one other child beside it.
HWND NameBeside(HWND box, HWND view)
{
    const RECT boxRect = RectIn(box, view);
    for (HWND child : ChildrenOf(view)) {
        const RECT rect = RectIn(child, view);
        if (child != box && rect.top < boxRect.bottom && rect.bottom > boxRect.top) {
            return child;
        }
    }
    return nullptr;
}

// Whether window lies wholly inside the client area of view.
bool WhollyInside(HWND window, HWND view)
{
    RECT client {};
    GetClientRect(view, &client);
    const RECT rect = RectIn(window, view);
    return rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom;
}

// The name an accessibility client reads for window; empty when it gives none.
std::string AccessibleName(HWND window)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(
            window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)))) {
        return {};
    }
    VARIANT self {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
        const int length = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<size_t>(std::max(length, 1)));
        WideCharToMultiByte(CP_ACP, 0, name, -1, text.data(), length, nullptr, nullptr);
        text.resize(static_cast<size_t>(std::max(length - 1, 0)));
        SysFreeString(name);
    }
    accessible->Release();
    return text;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

// One start with more rows than the view holds: layout, rows, names, keyboard,
// wheel, scroll bar, clicks after scrolling, and Esc.
TEST_F(DXiManagerWindowTest, LongListWorksByMouseKeyboardAndScreenReader)
{
    std::map<std::string, std::string> names;
    for (int i = 0; i < 40; ++i) {
        char key[64];
        std::snprintf(key, sizeof(key), "{%08X-6E2D-4F3C-8B4A-%012X}", 0x2000 + i, i);
        names[key] = "Instrument " + std::to_string(i);
    }
    names[kOrgan] = "Organ";
    names[kMarker + kBass] = "Bass";
    names[kPiano + kMarker] = "Piano, marker behind";
    // Registered both ways: one enabled row, and the disabled key goes.
    names[kStrings] = "Strings";
    for (const auto& [key, name] : names) {
        ASSERT_TRUE(AddInstrument(key, name));
    }
    ASSERT_TRUE(AddInstrument(kMarker + kStrings, "Strings"));
    const std::string strings = DumpInstrument(kStrings);
    // No mouse: the pointer lights up nothing.
    ASSERT_TRUE(SetCursorPos(0, 0));
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    Screenshot();

    const std::vector<std::string> registered = ListInstruments();
    EXPECT_EQ(Sorted(registered), Sorted([&] {
        std::vector<std::string> keys;
        for (const auto& entry : names) {
            keys.push_back(entry.first);
        }
        return keys;
    }()));
    EXPECT_EQ(DumpInstrument(kStrings), strings);

    // The window: title, classes, centred, the view and the buttons laid out.
    EXPECT_EQ(GetTextOf(m_main), kTitle);
    const auto instance = static_cast<uintptr_t>(GetWindowLongPtrA(m_main, GWLP_HINSTANCE));
    EXPECT_EQ(GetClassNameOf(m_main), std::to_string(instance) + "::_GUIDialogWindowClass_");
    EXPECT_EQ(GetClassNameOf(m_scrollView), std::to_string(instance) + "::_GUIChildWindowClass_");
    RECT window {};
    ASSERT_TRUE(GetWindowRect(m_main, &window));
    EXPECT_EQ(window.left, std::max((GetSystemMetrics(SM_CXSCREEN) - Width(window)) / 2, 0));
    EXPECT_EQ(window.top, std::max((GetSystemMetrics(SM_CYSCREEN) - Height(window)) / 2, 0));
    const LONG_PTR viewStyle = GetWindowLongPtrA(m_scrollView, GWL_STYLE);
    EXPECT_EQ(viewStyle & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL) << "rows below the view, none wider";
    const RECT view = RectIn(m_scrollView, m_main);
    EXPECT_EQ(view.left, 4);
    EXPECT_EQ(view.top, 4);
    EXPECT_EQ(Width(view), 500);
    EXPECT_EQ(Height(view), 400);
    const HWND about = Button("About");
    const HWND close = Button("Close");
    ASSERT_TRUE(about && close);
    const RECT aboutRect = RectIn(about, m_main);
    const RECT closeRect = RectIn(close, m_main);
    for (const RECT& rect : { aboutRect, closeRect }) {
        EXPECT_EQ(Width(rect), 75);
        EXPECT_EQ(Height(rect), 23);
        EXPECT_GE(rect.top, view.bottom);
    }
    EXPECT_EQ(aboutRect.top, closeRect.top);
    EXPECT_EQ(aboutRect.right + 5, closeRect.left) << "\"About\" stands left of \"Close\"";
    EXPECT_EQ(closeRect.right + 2, view.right);
    RECT client {};
    ASSERT_TRUE(GetClientRect(m_main, &client));
    EXPECT_EQ(Width(client), view.right + 4);
    EXPECT_EQ(Height(client), closeRect.bottom + 2 + 4);

    // One box per instrument in registry order, each with its own name beside
    // it, as a screen reader reads it too.
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), registered.size());
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow() == boxes[0]; }, kReactionTimeout))
        << "the focus does not start on the first check box";
    const std::vector<unsigned char> atStart = CaptureMainWindow();
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const RECT first = RectIn(boxes[0], m_scrollView);
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(registered[i]);
        const std::string& name = names[registered[i]];
        EXPECT_EQ(CheckState(boxes[i]), registered[i].find(kMarker) == std::string::npos ? BST_CHECKED : BST_UNCHECKED);
        const RECT box = RectIn(boxes[i], m_scrollView);
        EXPECT_EQ(Width(box), 13);
        EXPECT_EQ(Height(box), 13);
        EXPECT_EQ(box.left, first.left) << "check boxes share one column";
        const LONG_PTR style = GetWindowLongPtrA(boxes[i], GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_TRUE((style & WS_TABSTOP) && IsWindowVisible(boxes[i]));
        EXPECT_EQ(GetTextOf(boxes[i]), name);
        EXPECT_EQ(AccessibleName(boxes[i]), name);
        const HWND nameView = NameBeside(boxes[i], m_scrollView);
        ASSERT_NE(nameView, nullptr);
        EXPECT_EQ(GetTextOf(nameView), name);
        const RECT text = RectIn(nameView, m_scrollView);
        EXPECT_LE(text.right, box.left) << "the name stands left of its box";
        EXPECT_LE(std::abs((text.top + text.bottom) - (box.top + box.bottom)), 1) << "the name is centred on the box";
    }
    CoUninitialize();
    std::vector<std::string> texts;
    for (HWND child : ChildrenOf(m_scrollView)) {
        texts.push_back(GetTextOf(child));
    }
    for (const char* text : { "DXi Plug-in Name", "MIDI Enabled",
             "Click on a check box to enable or disable the corresponding DXi MIDI "
             "capabilities.\nOnce disabled, a DXi "
             "will show up as a non-MIDI DirectX plug-in in your host." }) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 1) << text;
    }

    // Tab: every box in row order, "About", "Close", around to the first box;
    // Shift+Tab the same way back. Each focused row is scrolled wholly into view.
    std::vector<HWND> order(boxes.begin() + 1, boxes.end());
    order.insert(order.end(), { about, close, boxes[0] });
    const auto walk = [&](const std::vector<HWND>& steps, bool backwards) {
        for (size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE(testing::Message() << (backwards ? "Shift+Tab " : "Tab ") << i + 1);
            ASSERT_TRUE(backwards ? PressKeys({ VK_SHIFT, VK_TAB }) : PressKeys({ VK_TAB }));
            ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == steps[i]; }, kReactionTimeout));
            Synchronise();
            if (GetParent(steps[i]) == m_scrollView) {
                EXPECT_TRUE(WhollyInside(steps[i], m_scrollView));
                EXPECT_TRUE(WhollyInside(NameBeside(steps[i], m_scrollView), m_scrollView));
            }
            // Only a focused button looks as if Enter pressed it.
            EXPECT_EQ((GetWindowLongPtrA(about, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON, steps[i] == about);
            EXPECT_EQ((GetWindowLongPtrA(close, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON, steps[i] == close);
        }
    };
    ASSERT_NO_FATAL_FAILURE(walk(order, false));
    std::vector<HWND> back(order.rbegin() + 1, order.rend());
    back.push_back(order.back());
    ASSERT_NO_FATAL_FAILURE(walk(back, true));
    Screenshot("focus");

    // Back at the top. The names the boxes carry change no pixel; the start
    // differs at most by the focus mark around the first box, which goes when
    // the focus leaves the list.
    SendMessageA(m_scrollView, WM_VSCROLL, SB_TOP, 0);
    const std::vector<unsigned char> marked = CaptureMainWindow();
    for (HWND box : boxes) {
        SetWindowTextA(box, "");
    }
    EXPECT_TRUE(CaptureMainWindow() == marked) << "a check box draws its name";
    for (size_t i = 0; i < boxes.size(); ++i) {
        SetWindowTextA(boxes[i], names[registered[i]].c_str());
    }
    RECT mark = RectIn(boxes[0], nullptr);
    InflateRect(&mark, 3, 3);
    const RECT closeOnScreen = RectIn(close, nullptr);
    for (const POINT& point : ChangedPixels(atStart, marked)) {
        EXPECT_TRUE(PtInRect(&mark, point)) << "pixel " << point.x << "," << point.y << " changed";
    }
    ASSERT_TRUE(PressKeys({ VK_SHIFT, VK_TAB }));
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == close; }, kReactionTimeout));
    int markPixels = 0;
    for (const POINT& point : ChangedPixels(marked, CaptureMainWindow())) {
        markPixels += PtInRect(&mark, point);
        EXPECT_TRUE(PtInRect(&mark, point) || PtInRect(&closeOnScreen, point))
            << "pixel " << point.x << "," << point.y << " changed";
    }
    EXPECT_GT(markPixels, 20) << "no focus mark around the focused box";
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == boxes[0]; }, kReactionTimeout));

    // Wheel: one notch, and forty turns of 3, over every part of the list.
    const LONG top = RectIn(boxes[0], m_scrollView).top;
    RECT list {};
    GetClientRect(m_scrollView, &list);
    MapWindowPoints(m_scrollView, nullptr, reinterpret_cast<POINT*>(&list), 2);
    const RECT name = RectIn(NameBeside(boxes[1], m_scrollView), nullptr);
    const RECT box = RectIn(boxes[1], nullptr);
    const struct {
        const char* where;
        POINT point;
    } places[] = {
        { "help text", { list.left + 20, list.top + 10 } },
        { "name", { name.left + 2, (name.top + name.bottom) / 2 } },
        { "box", { (box.left + box.right) / 2, (box.top + box.bottom) / 2 } },
        { "gap", { (name.right + box.left) / 2, (box.top + box.bottom) / 2 } },
    };
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    for (const auto& place : places) {
        for (const int turns : { 1, 40 }) {
            SCOPED_TRACE(testing::Message() << place.where << ", " << turns << " turns");
            SendMessageA(m_scrollView, WM_VSCROLL, SB_TOP, 0);
            ASSERT_TRUE(TurnWheelAt(place.point, -WHEEL_DELTA / turns, turns));
            EXPECT_TRUE(
                WaitUntil([&] { return RectIn(boxes[0], m_scrollView).top == top - 5 * static_cast<LONG>(lines); },
                    kReactionTimeout))
                << "moved by " << top - RectIn(boxes[0], m_scrollView).top;
        }
    }

    // The bar's down arrow, clicked, scrolls by one line of 5 pixels.
    SendMessageA(m_scrollView, WM_VSCROLL, SB_TOP, 0);
    const POINT arrow { list.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
        list.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2 };
    ASSERT_EQ(SendMessageA(m_scrollView, WM_NCHITTEST, 0, MAKELPARAM(arrow.x, arrow.y)), HTVSCROLL);
    ASSERT_TRUE(ClickAt(arrow));
    EXPECT_TRUE(WaitUntil([&] { return RectIn(boxes[0], m_scrollView).top == top - 5; }, kReactionTimeout))
        << "moved by " << top - RectIn(boxes[0], m_scrollView).top;

    // Scrolled to the end, a click on a box switches that box's instrument.
    SendMessageA(m_scrollView, WM_VSCROLL, SB_BOTTOM, 0);
    Synchronise();
    const size_t last = boxes.size() - 1;
    ASSERT_TRUE(WhollyInside(boxes[last], m_scrollView));
    ASSERT_LT(RectIn(boxes[0], m_scrollView).top, top) << "not scrolled";
    const auto toggled = [](const std::string& key) { return key.find(kMarker) == 0 ? key.substr(10) : kMarker + key; };
    std::vector<std::string> switched = registered;
    switched[last] = toggled(registered[last]);
    const std::string content = DumpInstrument(registered[last]);
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(boxes[last]));
    EXPECT_TRUE(WaitUntil([&] { return Sorted(ListInstruments()) == Sorted(switched); }, kReactionTimeout));
    EXPECT_EQ(DumpInstrument(switched[last]), content);
    Screenshot("scrolled");

    // Page Down scrolls the list from a focused box; Space switches the
    // focused box; Esc closes as "Close" does.
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == boxes[0]; }, kReactionTimeout));
    SendMessageA(m_scrollView, WM_VSCROLL, SB_TOP, 0);
    ASSERT_TRUE(PressKeys({ VK_NEXT }));
    EXPECT_TRUE(WaitUntil(
        [&] { return RectIn(boxes[0], m_scrollView).top == top - (list.bottom - list.top); }, kReactionTimeout));
    const LRESULT firstState = CheckState(boxes[0]);
    ASSERT_TRUE(PressKeys({ VK_SPACE }));
    EXPECT_TRUE(WaitUntil([&] { return CheckState(boxes[0]) != firstState; }, kReactionTimeout));
    switched[0] = toggled(switched[0]);
    EXPECT_TRUE(WaitUntil([&] { return Sorted(ListInstruments()) == Sorted(switched); }, kReactionTimeout));
    ASSERT_TRUE(PressKeys({ VK_ESCAPE }));
    ExpectExitCodeZero();
}

// One start on a registry without the plug-in root: the read error, then the
// empty table, and "Close".
TEST_F(DXiManagerWindowTest, MissingRootShowsTheReadErrorBeforeAnEmptyTable)
{
    ASSERT_TRUE(DeletePluginRoot());
    ASSERT_TRUE(m_app.Start());
    const HWND error = m_app.WaitForMessageBox("Error", kStartTimeout);
    ASSERT_NE(error, nullptr) << "no read error box";
    Screenshot("error");
    for (HWND window : m_app.GetTopLevelWindows()) {
        EXPECT_FALSE(EndsWith(GetClassNameOf(window), "::_GUIDialogWindowClass_"))
            << "the main window is shown before the read error is closed";
    }
    EXPECT_EQ(GetWindow(error, GW_OWNER), nullptr);
    EXPECT_EQ(
        GetTextOf(GetDlgItem(error, kMessageBoxTextId)), kReadErrorPrefix + SystemMessage(ERROR_FILE_NOT_FOUND) + "()");
    ASSERT_NO_FATAL_FAILURE(PressOk(error));

    m_main = m_app.WaitForMainWindow(kStartTimeout);
    ASSERT_NE(m_main, nullptr);
    ASSERT_NO_FATAL_FAILURE(FindScrollView());
    Screenshot();
    EXPECT_TRUE(CheckBoxes().empty());
    // The help text and the two column titles remain, and fit without bars.
    EXPECT_EQ(ChildrenOf(m_scrollView).size(), 3u);
    EXPECT_FALSE(GetWindowLongPtrA(m_scrollView, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(DumpInstrument(""), "missing") << "reading the registry must not create the root";
    const HWND close = Button("Close");
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow() == close; }, kReactionTimeout)) << "no box: Close has the focus";
    ASSERT_TRUE(ClickWindow(close));
    ExpectExitCodeZero();
}

// One start with a few instruments: switching by click and Enter, a switch
// the registry refuses, the About box, the caption, and Alt+F4.
TEST_F(DXiManagerWindowTest, SwitchesErrorsAboutAndAltF4)
{
    // The longest key name Windows allows: with the marker in front it is too
    // long to be created, on Windows and under Wine alike.
    std::string overlong = kStrings;
    overlong.resize(255, 'x');
    for (const std::string& key : { kOrgan, kBass, overlong }) {
        ASSERT_TRUE(AddInstrument(key, "Instrument"));
    }
    // A name wider than the view.
    ASSERT_TRUE(AddInstrument(kPiano,
        "Grand Organ with every register drawn, from the sixteen-foot "
        "bourdon to the mixture and the tremulant"));
    const std::vector<std::string> registered = ListInstruments();
    std::map<std::string, std::string> contents;
    for (const std::string& key : registered) {
        contents[key] = DumpInstrument(key);
    }
    ASSERT_NE(contents[kOrgan].find("Patch 1"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(GetWindowLongPtrA(m_scrollView, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_HSCROLL);
    // The boxes stand right of the widest name.
    for (int page = 0; page < 5; ++page) {
        SendMessageA(m_scrollView, WM_HSCROLL, SB_PAGERIGHT, 0);
    }
    const auto rowOf = [&](const std::string& key) {
        return boxes[std::find(registered.begin(), registered.end(), key) - registered.begin()];
    };
    const HWND organBox = rowOf(kOrgan);
    const auto expectRegistry = [&](const std::string& organKey) {
        std::vector<std::string> now = registered;
        std::replace(now.begin(), now.end(), kOrgan, organKey);
        EXPECT_TRUE(WaitUntil([&] { return Sorted(ListInstruments()) == Sorted(now); }, kReactionTimeout));
        EXPECT_EQ(DumpInstrument(organKey), contents[kOrgan]);
    };

    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(organBox));
    expectRegistry(kMarker + kOrgan);
    Screenshot("disabled");
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(organBox));
    expectRegistry(kOrgan);
    // The clicks left the keyboard focus on the box.
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == organBox; }, kReactionTimeout));
    ASSERT_TRUE(PressKeys({ VK_RETURN }));
    ASSERT_TRUE(WaitUntil([&] { return CheckState(organBox) == BST_UNCHECKED; }, kReactionTimeout))
        << "Enter did not toggle the focused box";
    expectRegistry(kMarker + kOrgan);
    EXPECT_EQ(DumpInstrument(kBass), contents[kBass]);
    EXPECT_EQ(CheckState(rowOf(kBass)), BST_CHECKED);
    Synchronise();
    EXPECT_FALSE(AnyMessageBoxShown());

    // The overlong name cannot be disabled: the edit error, nothing changed.
    const HWND box = rowOf(overlong);
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    const HWND error = m_app.WaitForMessageBox("Error", kReactionTimeout);
    ASSERT_NE(error, nullptr) << "no error box";
    Screenshot("error");
    EXPECT_EQ(GetWindow(error, GW_OWNER), nullptr) << "the error box has no owner";
    EXPECT_TRUE(IsWindowEnabled(m_main)) << "an error box leaves the main window enabled";
    const std::string text = GetTextOf(GetDlgItem(error, kMessageBoxTextId));
    const std::string context = "(" + std::string(kMarker) + overlong + ")";
    EXPECT_EQ(text.rfind(kEditErrorPrefix, 0), 0u) << text;
    EXPECT_TRUE(EndsWith(text, context)) << text;
    EXPECT_GT(text.size(), std::string(kEditErrorPrefix).size() + context.size()) << "no system text: " << text;
    ASSERT_NO_FATAL_FAILURE(PressOk(error));
    EXPECT_EQ(CheckState(box), BST_UNCHECKED) << "the box keeps the mark the user set";
    EXPECT_EQ(DumpInstrument(overlong), contents[overlong]);
    // Clicking again agrees with the entry, which is still enabled: nothing to
    // do.
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    Synchronise();
    EXPECT_EQ(CheckState(box), BST_CHECKED);
    EXPECT_FALSE(AnyMessageBoxShown());
    expectRegistry(kMarker + kOrgan);

    ASSERT_TRUE(ClickWindow(Button("About")));
    const HWND about = m_app.WaitForMessageBox("About Vedodir's DXi Manager", kReactionTimeout);
    ASSERT_NE(about, nullptr) << "no About box";
    Screenshot("about");
    EXPECT_EQ(GetWindow(about, GW_OWNER), m_main);
    EXPECT_FALSE(IsWindowEnabled(m_main)) << "the owner is disabled while the box is open";
    std::istringstream aboutText(GetTextOf(GetDlgItem(about, kMessageBoxTextId)));
    std::vector<std::string> lines;
    for (std::string line; std::getline(aboutText, line, '\n');) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 3u) << aboutText.str();
    EXPECT_NE(lines[0].find("1.1"), std::string::npos) << lines[0];
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[2], "This software is provided \"as is\", without warranty of any kind.");
    ASSERT_NO_FATAL_FAILURE(PressOk(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, kReactionTimeout));

    // Without a window manager Wine draws no caption under Xvfb, so a real click
    // there reaches no window: the window's own answer is what is checked.
    RECT window {};
    RECT client {};
    ASSERT_TRUE(GetWindowRect(m_main, &window));
    ASSERT_TRUE(GetClientRect(m_main, &client));
    MapWindowPoints(m_main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int y = (window.top + client.top) / 2;
    EXPECT_EQ(SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM((window.left + window.right) / 2, y)), HTCAPTION);
    POINT closeBox { window.right, y };
    while (closeBox.x > window.left
        && SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM(closeBox.x, closeBox.y)) != HTCLOSE) {
        --closeBox.x;
    }
    EXPECT_GT(closeBox.x, window.left) << "no close box on the caption";
    EXPECT_EQ(
        SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM(window.left + 1, (window.top + window.bottom) / 2)), HTLEFT);

    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() != nullptr; }, kReactionTimeout));
    ASSERT_TRUE(PressKeys({ VK_MENU, VK_F4 }));
    ExpectExitCodeZero();
}
