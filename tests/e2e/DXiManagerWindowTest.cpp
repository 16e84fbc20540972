#include "CDXiManagerProcess.h"
#include "E2EDesktop.h"
#include "RegistryDump.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>

using namespace std::chrono_literals;

namespace {
constexpr auto kStartTimeout = 30s;
// Without a window manager Wine waits up to two seconds for one whenever an
// active top-level window goes away.
constexpr auto kReactionTimeout = 10s;
constexpr const char* kDialogClass = "::_GUIDialogWindowClass_";
constexpr const char* kMarker = "_Disabled_";
constexpr const char* kEditErrorPrefix = "Failed to edit registry. Check that you have admin rights:\n";
// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
// Shared with the application through the Wine prefix.
constexpr const char* kPluginRoot = "MfxSoftSynths";
constexpr const char* kBackupPath = "Software\\DXiManagerEndToEndBackup";
const std::string kOrgan = "{0A4E6A2D-1B7C-4C15-9F01-6E2B3C4D5E01}";
const std::string kBass = "{7C10B9E4-52AA-4F0D-8E3B-1D2C3B4A5F02}";
const std::string kPiano = "{b2d3c4e5-6f70-4182-93a4-b5c6d7e8f903}";
const std::string kStrings = "{E3F4A5B6-C7D8-49EA-BBCC-DDEEFF001104}";

// A window's rectangle in the client coordinates of reference (null: the screen).
RECT RectIn(HWND window, HWND reference)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::pair<LONG, LONG> SizeOf(const RECT& rect)
{
    return { rect.right - rect.left, rect.bottom - rect.top };
}

POINT Centre(const RECT& rect)
{
    return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
}

// The direct children of parent, of that class unless it is null.
std::vector<HWND> ChildrenOf(HWND parent, const char* className = nullptr)
{
    std::vector<HWND> children;
    for (HWND child = nullptr; (child = FindWindowExA(parent, child, className, nullptr));) {
        children.push_back(child);
    }
    return children;
}

// Returns once the window's thread has handled everything sent to it so far.
bool CatchUp(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

bool PaintedWithChildren(HWND window)
{
    const std::vector<HWND> children = ChildrenOf(window);
    return !GetUpdateRect(window, nullptr, FALSE) && std::all_of(children.begin(), children.end(), PaintedWithChildren);
}

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

bool WhollyInside(HWND window, HWND view)
{
    RECT client {};
    GetClientRect(view, &client);
    const RECT rect = RectIn(window, view);
    return rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom;
}

std::string SystemMessage(DWORD code)
{
    char text[512];
    return std::string(text,
        FormatMessageA(
            FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof(text), nullptr));
}

LRESULT CheckState(HWND checkBox)
{
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0);
}

LONG_PTR Style(HWND window, LONG_PTR mask)
{
    return GetWindowLongPtrA(window, GWL_STYLE) & mask;
}

std::string Toggled(const std::string& key)
{
    return key.rfind(kMarker, 0) == 0 ? key.substr(std::string(kMarker).size()) : kMarker + key;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

bool DeletePluginRoot()
{
    const LSTATUS deleted = SHDeleteKeyA(HKEY_CLASSES_ROOT, kPluginRoot);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

// False when there is no source; a copy that fails fails the test program.
bool CopyKey(HKEY fromParent, const char* from, HKEY toParent, const char* to)
{
    HKEY source = nullptr;
    HKEY target = nullptr;
    if (RegOpenKeyExA(fromParent, from, 0, KEY_READ, &source) != ERROR_SUCCESS) {
        return false;
    }
    EXPECT_EQ(RegCreateKeyA(toParent, to, &target), ERROR_SUCCESS);
    EXPECT_EQ(SHCopyKeyA(source, nullptr, target, 0), ERROR_SUCCESS);
    RegCloseKey(target);
    RegCloseKey(source);
    return true;
}

class DXiManagerWindowTest : public testing::Test {
protected:
    // The prefix's own instruments are kept aside while the tests rewrite the root.
    static void SetUpTestSuite()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kBackupPath);
        s_hadRoot = CopyKey(HKEY_CLASSES_ROOT, kPluginRoot, HKEY_CURRENT_USER, kBackupPath);
    }
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(DeletePluginRoot());
        if (s_hadRoot) {
            EXPECT_TRUE(CopyKey(HKEY_CURRENT_USER, kBackupPath, HKEY_CLASSES_ROOT, kPluginRoot));
            EXPECT_EQ(SHDeleteKeyA(HKEY_CURRENT_USER, kBackupPath), ERROR_SUCCESS);
        }
    }
    // Under Wine the A functions take sub-key paths of at most 260 characters,
    // so long instrument keys are reached from the opened root.
    void SetUp() override
    {
        ASSERT_TRUE(DeletePluginRoot());
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, kPluginRoot, &m_root), ERROR_SUCCESS);
    }
    void TearDown() override { RegCloseKey(m_root); }

    std::vector<std::string> Instruments() { return ListSubKeys(m_root); }
    std::string Dump(const std::string& key) { return DumpRegistryKey(m_root, key); }
    void ExpectInstruments(const std::vector<std::string>& keys)
    {
        EXPECT_TRUE(WaitUntil([&] { return Sorted(Instruments()) == Sorted(keys); }, kReactionTimeout));
    }

    void StartApplication()
    {
        ASSERT_TRUE(m_app.Start()) << "cannot start " << PathBesideTests(DXI_E2E_APP_PATH) << ": error "
                                   << GetLastError();
        ASSERT_NO_FATAL_FAILURE(FindMainWindow());
    }

    void FindMainWindow()
    {
        m_main = m_app.WaitForWindow(kDialogClass, nullptr, kStartTimeout);
        ASSERT_NE(m_main, nullptr) << "no main window";
        Synchronise();
        m_view = FindWindowExA(m_main, nullptr, (ClassPrefix() + "::_GUIChildWindowClass_").c_str(), nullptr);
        ASSERT_NE(m_view, nullptr) << "no framework child window in the main window";
    }

    // The framework's classes carry the module handle in front.
    std::string ClassPrefix()
    {
        return std::to_string(static_cast<uintptr_t>(GetWindowLongPtrA(m_main, GWLP_HINSTANCE)));
    }

    HWND Button(const char* text) { return FindWindowExA(m_main, nullptr, "Button", text); }

    // The instrument rows' check boxes, from top to bottom.
    std::vector<HWND> CheckBoxes()
    {
        std::vector<HWND> boxes = ChildrenOf(m_view, "Button");
        std::sort(boxes.begin(), boxes.end(),
            [this](HWND a, HWND b) { return RectIn(a, m_view).top < RectIn(b, m_view).top; });
        return boxes;
    }

    void Synchronise() { EXPECT_TRUE(CatchUp(m_main)); }

    void ExpectNoMessageBox()
    {
        Synchronise();
        EXPECT_EQ(m_app.WaitForWindow("#32770", nullptr, 0s), nullptr);
    }

    void ClickCheckBox(HWND box)
    {
        const LRESULT before = CheckState(box);
        ASSERT_TRUE(ClickWindow(box));
        ASSERT_TRUE(WaitUntil([&] { return CheckState(box) != before; }, kReactionTimeout)) << "the click was lost";
    }

    void PressOk(HWND box)
    {
        ASSERT_TRUE(ClickWindow(GetDlgItem(box, IDOK)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kReactionTimeout)) << "OK did not close the box";
    }

    HWND FocusedWindow()
    {
        GUITHREADINFO thread {};
        thread.cbSize = sizeof(thread);
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_main, nullptr), &thread) ? thread.hwndFocus : nullptr;
    }

    [[nodiscard]] bool FocusReaches(HWND window)
    {
        return WaitUntil([&] { return FocusedWindow() == window; }, kReactionTimeout);
    }

    void ExpectExitCodeZero()
    {
        DWORD exitCode = 0xFFFFFFFF;
        ASSERT_TRUE(m_app.WaitForExit(kReactionTimeout, exitCode)) << "the process did not end";
        EXPECT_EQ(exitCode, 0u);
    }

    // A window that has just appeared may not have painted yet, and Wine puts
    // what was painted on the screen when the thread next goes idle.
    void RepaintAndWait(const std::vector<HWND>& windows)
    {
        for (HWND window : windows) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        EXPECT_TRUE(WaitUntil(
            [&] { return std::all_of(windows.begin(), windows.end(), PaintedWithChildren); }, kReactionTimeout))
            << "the windows did not paint";
        for (HWND window : windows) {
            CatchUp(window);
        }
    }

    void Screenshot(const std::string& moment = {})
    {
        const std::string name
            = testing::UnitTest::GetInstance()->current_test_info()->name() + (moment.empty() ? "" : "-" + moment);
        const std::vector<HWND> windows = m_app.GetTopLevelWindows();
        RepaintAndWait(windows);
        EXPECT_TRUE(SaveScreenshot(windows, name)) << "no screenshot for " << name;
    }

    std::vector<unsigned char> CaptureMainWindow()
    {
        RepaintAndWait({ m_main });
        return CaptureScreen(RectIn(m_main, nullptr));
    }

    // Expects every pixel where the captures differ inside one of allowed;
    // returns how many lie in the first.
    int CountChangedPixels(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after,
        std::initializer_list<RECT> allowed)
    {
        const RECT window = RectIn(m_main, nullptr);
        const auto [width, height] = SizeOf(window);
        const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
        if (before.size() != after.size() || before.size() != kBmpHeaderSize + stride * static_cast<size_t>(height)) {
            ADD_FAILURE() << "the captures differ in size";
            return 0;
        }
        int inFirst = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t at
                    = kBmpHeaderSize + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
                const POINT point { window.left + x, window.top + y };
                if (!std::equal(&before[at], &before[at] + 3, &after[at])) {
                    inFirst += PtInRect(allowed.begin(), point);
                    EXPECT_TRUE(std::any_of(
                        allowed.begin(), allowed.end(), [&](const RECT& rect) { return PtInRect(&rect, point); }))
                        << "pixel " << point.x << "," << point.y << " changed";
                }
            }
        }
        return inFirst;
    }

    static inline bool s_hadRoot = false;
    HKEY m_root = nullptr;
    CDXiManagerProcess m_app;
    HWND m_main = nullptr;
    HWND m_view = nullptr;
};
} // namespace

// One start with more rows than the view holds: layout, rows, names, keyboard,
// wheel, scroll bar, clicks after scrolling, and Esc.
TEST_F(DXiManagerWindowTest, LongListWorksByMouseKeyboardAndScreenReader)
{
    // Strings is registered both ways: one enabled row, and the disabled key goes.
    std::map<std::string, std::string> names { { kOrgan, "Organ" }, { kMarker + kBass, "Bass" },
        { kPiano + kMarker, "Piano, marker behind" }, { kStrings, "Strings" } };
    for (int i = 0; i < 40; ++i) {
        char key[64];
        std::snprintf(key, sizeof(key), "{%08X-6E2D-4F3C-8B4A-%012X}", 0x2000 + i, i);
        names[key] = "Instrument " + std::to_string(i);
    }
    std::vector<std::string> keys;
    for (const auto& [key, name] : names) {
        ASSERT_TRUE(AddTestInstrument(m_root, key, name));
        keys.push_back(key);
    }
    ASSERT_TRUE(AddTestInstrument(m_root, kMarker + kStrings, "Strings"));
    const std::string strings = Dump(kStrings);
    // No mouse: the pointer lights up nothing.
    ASSERT_TRUE(SetCursorPos(0, 0));
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    Screenshot();
    const std::vector<std::string> registered = Instruments();
    EXPECT_EQ(Sorted(registered), keys);
    EXPECT_EQ(Dump(kStrings), strings);

    // The window: title, class, centred, the view and the buttons laid out.
    EXPECT_EQ(GetTextOf(m_main), "Vedodir's DXi Manager");
    EXPECT_EQ(GetClassNameOf(m_main), ClassPrefix() + kDialogClass);
    const RECT window = RectIn(m_main, nullptr);
    const auto [width, height] = SizeOf(window);
    EXPECT_EQ(window.left, std::max((GetSystemMetrics(SM_CXSCREEN) - width) / 2, 0L));
    EXPECT_EQ(window.top, std::max((GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0L));
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), WS_VSCROLL) << "rows below the view, none wider";
    const RECT view = RectIn(m_view, m_main);
    EXPECT_EQ(std::make_pair(view.left, view.top), std::make_pair(4L, 4L));
    EXPECT_EQ(SizeOf(view), std::make_pair(500L, 400L));
    const HWND about = Button("About");
    const HWND close = Button("Close");
    ASSERT_TRUE(about && close);
    const RECT aboutRect = RectIn(about, m_main);
    const RECT closeRect = RectIn(close, m_main);
    for (const RECT& rect : { aboutRect, closeRect }) {
        EXPECT_EQ(SizeOf(rect), std::make_pair(75L, 23L));
        EXPECT_EQ(rect.top, closeRect.top);
        EXPECT_GE(rect.top, view.bottom);
    }
    EXPECT_EQ(aboutRect.right + 5, closeRect.left) << "\"About\" stands left of \"Close\"";
    EXPECT_EQ(closeRect.right + 2, view.right);
    RECT client {};
    ASSERT_TRUE(GetClientRect(m_main, &client));
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(view.right + 4, closeRect.bottom + 2 + 4));

    // One box per instrument in registry order, each with its own name beside
    // it, as a screen reader reads it too.
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), registered.size());
    EXPECT_TRUE(FocusReaches(boxes[0])) << "the focus does not start on the first box";
    const std::vector<unsigned char> atStart = CaptureMainWindow();
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(registered[i]);
        const std::string& name = names[registered[i]];
        EXPECT_EQ(CheckState(boxes[i]), registered[i].find(kMarker) == std::string::npos ? BST_CHECKED : BST_UNCHECKED);
        const RECT box = RectIn(boxes[i], m_view);
        EXPECT_EQ(SizeOf(box), std::make_pair(13L, 13L));
        EXPECT_EQ(box.left, RectIn(boxes[0], m_view).left) << "check boxes share one column";
        EXPECT_EQ(Style(boxes[i], BS_TYPEMASK), BS_AUTOCHECKBOX);
        EXPECT_TRUE(Style(boxes[i], WS_TABSTOP) && IsWindowVisible(boxes[i]));
        EXPECT_EQ(GetTextOf(boxes[i]), name);
        const HWND nameView = NameBeside(boxes[i], m_view);
        ASSERT_NE(nameView, nullptr);
        EXPECT_EQ(GetTextOf(nameView), name);
        const RECT text = RectIn(nameView, m_view);
        EXPECT_LE(text.right, box.left) << "the name stands left of its box";
        EXPECT_LE(std::abs((text.top + text.bottom) - (box.top + box.bottom)), 1) << "the name is centred on the box";
    }
    std::vector<std::string> texts;
    for (HWND child : ChildrenOf(m_view)) {
        texts.push_back(GetTextOf(child));
    }
    for (const char* text : { "DXi Plug-in Name", "MIDI Enabled",
             "Click on a check box to enable or disable the corresponding DXi MIDI capabilities.\nOnce disabled, a DXi "
             "will show up as a non-MIDI DirectX plug-in in your host." }) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 1) << text;
    }

    // Tab: every box in row order, "About", "Close", around to the first box;
    // Shift+Tab the same way back. Each focused row is scrolled wholly into view.
    std::vector<HWND> order(boxes.begin() + 1, boxes.end());
    order.insert(order.end(), { about, close, boxes[0] });
    std::vector<HWND> back(order.rbegin() + 1, order.rend());
    back.push_back(order.back());
    for (const bool backwards : { false, true }) {
        const std::vector<HWND>& steps = backwards ? back : order;
        for (size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE(testing::Message() << (backwards ? "Shift+Tab " : "Tab ") << i + 1);
            ASSERT_TRUE(backwards ? PressKeys({ VK_SHIFT, VK_TAB }) : PressKeys({ VK_TAB }));
            ASSERT_TRUE(FocusReaches(steps[i]));
            Synchronise();
            if (GetParent(steps[i]) == m_view) {
                EXPECT_TRUE(WhollyInside(steps[i], m_view));
                EXPECT_TRUE(WhollyInside(NameBeside(steps[i], m_view), m_view));
            }
            // Only a focused button looks as if Enter pressed it.
            EXPECT_EQ(Style(about, BS_TYPEMASK) == BS_DEFPUSHBUTTON, steps[i] == about);
            EXPECT_EQ(Style(close, BS_TYPEMASK) == BS_DEFPUSHBUTTON, steps[i] == close);
        }
    }
    Screenshot("focus");

    // Back at the top. The names the boxes carry change no pixel; the start
    // differs at most by the focus mark around the first box, which goes when
    // the focus leaves the list.
    SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
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
    CountChangedPixels(atStart, marked, { mark });
    ASSERT_TRUE(PressKeys({ VK_SHIFT, VK_TAB }));
    ASSERT_TRUE(FocusReaches(close));
    EXPECT_GT(CountChangedPixels(marked, CaptureMainWindow(), { mark, RectIn(close, nullptr) }), 20)
        << "no focus mark around the focused box";
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(FocusReaches(boxes[0]));

    // Wheel: one notch, and forty turns of 3, over every part of the list.
    const LONG top = RectIn(boxes[0], m_view).top;
    const auto scrolledBy = [&](LONG pixels) {
        EXPECT_TRUE(WaitUntil([&] { return RectIn(boxes[0], m_view).top == top - pixels; }, kReactionTimeout))
            << "moved by " << top - RectIn(boxes[0], m_view).top << ", not " << pixels;
    };
    RECT list {};
    GetClientRect(m_view, &list);
    MapWindowPoints(m_view, nullptr, reinterpret_cast<POINT*>(&list), 2);
    const RECT name = RectIn(NameBeside(boxes[1], m_view), nullptr);
    const RECT box = RectIn(boxes[1], nullptr);
    const std::pair<const char*, POINT> places[] = {
        { "help text", { list.left + 20, list.top + 10 } },
        { "name", { name.left + 2, Centre(name).y } },
        { "box", Centre(box) },
        { "gap", { (name.right + box.left) / 2, Centre(box).y } },
    };
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    for (const auto& [where, point] : places) {
        for (const int turns : { 1, 40 }) {
            SCOPED_TRACE(testing::Message() << where << ", " << turns << " turns");
            SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
            ASSERT_TRUE(TurnWheelAt(point, -WHEEL_DELTA / turns, turns));
            scrolledBy(5 * static_cast<LONG>(lines));
        }
    }

    // The bar's down arrow, clicked, scrolls by one line of 5 pixels.
    SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
    const POINT arrow { list.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
        list.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2 };
    ASSERT_EQ(SendMessageA(m_view, WM_NCHITTEST, 0, MAKELPARAM(arrow.x, arrow.y)), HTVSCROLL);
    ASSERT_TRUE(ClickAt(arrow));
    scrolledBy(5);

    // Scrolled to the end, a click on a box switches that box's instrument.
    SendMessageA(m_view, WM_VSCROLL, SB_BOTTOM, 0);
    Synchronise();
    const size_t last = boxes.size() - 1;
    ASSERT_TRUE(WhollyInside(boxes[last], m_view));
    ASSERT_LT(RectIn(boxes[0], m_view).top, top) << "not scrolled";
    std::vector<std::string> switched = registered;
    switched[last] = Toggled(registered[last]);
    const std::string content = Dump(registered[last]);
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(boxes[last]));
    ExpectInstruments(switched);
    EXPECT_EQ(Dump(switched[last]), content);
    Screenshot("scrolled");

    // Page Down scrolls the list from a focused box; Space switches the
    // focused box; Esc closes as "Close" does.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PressKeys({ VK_TAB }));
    }
    ASSERT_TRUE(FocusReaches(boxes[0]));
    SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
    ASSERT_TRUE(PressKeys({ VK_NEXT }));
    scrolledBy(list.bottom - list.top);
    const LRESULT firstState = CheckState(boxes[0]);
    ASSERT_TRUE(PressKeys({ VK_SPACE }));
    EXPECT_TRUE(WaitUntil([&] { return CheckState(boxes[0]) != firstState; }, kReactionTimeout));
    switched[0] = Toggled(switched[0]);
    ExpectInstruments(switched);
    ASSERT_TRUE(PressKeys({ VK_ESCAPE }));
    ExpectExitCodeZero();
}

// One start on a registry without the plug-in root: the read error, then the
// empty table, and "Close".
TEST_F(DXiManagerWindowTest, MissingRootShowsTheReadErrorBeforeAnEmptyTable)
{
    ASSERT_TRUE(DeletePluginRoot());
    ASSERT_TRUE(m_app.Start());
    const HWND error = m_app.WaitForWindow("#32770", "Error", kStartTimeout);
    ASSERT_NE(error, nullptr) << "no read error box";
    Screenshot("error");
    EXPECT_EQ(m_app.WaitForWindow(kDialogClass, nullptr, 0s), nullptr)
        << "the main window is shown before the read error is closed";
    EXPECT_EQ(GetWindow(error, GW_OWNER), nullptr);
    EXPECT_EQ(GetTextOf(GetDlgItem(error, kMessageBoxTextId)),
        "Error while reading registry. Check that you have admin rights:\n" + SystemMessage(ERROR_FILE_NOT_FOUND)
            + "()");
    ASSERT_NO_FATAL_FAILURE(PressOk(error));

    ASSERT_NO_FATAL_FAILURE(FindMainWindow());
    Screenshot();
    EXPECT_TRUE(CheckBoxes().empty());
    // The help text and the two column titles remain, and fit without bars.
    EXPECT_EQ(ChildrenOf(m_view).size(), 3u);
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, kPluginRoot), "missing") << "reading must not create the root";
    const HWND close = Button("Close");
    EXPECT_TRUE(FocusReaches(close)) << "no box: Close has the focus";
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
        ASSERT_TRUE(AddTestInstrument(m_root, key, "Instrument"));
    }
    ASSERT_TRUE(AddTestInstrument(m_root, kPiano,
        "Grand Organ with every register drawn, from the sixteen-foot bourdon to the mixture and the tremulant"));
    const std::vector<std::string> registered = Instruments();
    std::map<std::string, std::string> contents;
    for (const std::string& key : registered) {
        contents[key] = Dump(key);
    }
    ASSERT_NE(contents[kOrgan].find("Patch 1"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), WS_HSCROLL) << "a name wider than the view";
    // The boxes stand right of the widest name.
    for (int page = 0; page < 5; ++page) {
        SendMessageA(m_view, WM_HSCROLL, SB_PAGERIGHT, 0);
    }
    const auto rowOf = [&](const std::string& key) {
        return boxes[std::find(registered.begin(), registered.end(), key) - registered.begin()];
    };
    const HWND organBox = rowOf(kOrgan);
    const auto expectOrganAs = [&](const std::string& organKey) {
        std::vector<std::string> now = registered;
        std::replace(now.begin(), now.end(), kOrgan, organKey);
        ExpectInstruments(now);
        EXPECT_EQ(Dump(organKey), contents[kOrgan]);
    };

    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(organBox));
    expectOrganAs(kMarker + kOrgan);
    Screenshot("disabled");
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(organBox));
    expectOrganAs(kOrgan);
    // The clicks left the keyboard focus on the box.
    ASSERT_TRUE(FocusReaches(organBox));
    ASSERT_TRUE(PressKeys({ VK_RETURN }));
    ASSERT_TRUE(WaitUntil([&] { return CheckState(organBox) == BST_UNCHECKED; }, kReactionTimeout))
        << "Enter did not toggle the focused box";
    expectOrganAs(kMarker + kOrgan);
    EXPECT_EQ(Dump(kBass), contents[kBass]);
    EXPECT_EQ(CheckState(rowOf(kBass)), BST_CHECKED);
    ExpectNoMessageBox();

    // The overlong name cannot be disabled: the edit error, nothing changed.
    const HWND box = rowOf(overlong);
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    const HWND error = m_app.WaitForWindow("#32770", "Error", kReactionTimeout);
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
    EXPECT_EQ(Dump(overlong), contents[overlong]);
    // Clicking again agrees with the entry, which is still enabled: nothing to do.
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    ExpectNoMessageBox();
    EXPECT_EQ(CheckState(box), BST_CHECKED);
    expectOrganAs(kMarker + kOrgan);

    ASSERT_TRUE(ClickWindow(Button("About")));
    const HWND about = m_app.WaitForWindow("#32770", "About Vedodir's DXi Manager", kReactionTimeout);
    ASSERT_NE(about, nullptr) << "no About box";
    Screenshot("about");
    EXPECT_EQ(GetWindow(about, GW_OWNER), m_main);
    EXPECT_FALSE(IsWindowEnabled(m_main)) << "the owner is disabled while the box is open";
    const std::string aboutText = GetTextOf(GetDlgItem(about, kMessageBoxTextId));
    EXPECT_TRUE(std::regex_match(aboutText,
        std::regex("[^\n]*1\\.1[^\n]*\n[^\n]+\nThis software is provided \"as is\", without warranty of any kind\\.")))
        << aboutText;
    ASSERT_NO_FATAL_FAILURE(PressOk(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, kReactionTimeout));

    // Without a window manager Wine draws no caption under Xvfb, so a real click
    // there reaches no window: the window's own answer is what is checked.
    const RECT window = RectIn(m_main, nullptr);
    const auto hitTest = [&](LONG x, LONG y) { return SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    POINT clientTop {};
    ClientToScreen(m_main, &clientTop);
    const LONG y = (window.top + clientTop.y) / 2;
    EXPECT_EQ(hitTest(Centre(window).x, y), HTCAPTION);
    LONG closeBox = window.right;
    while (closeBox > window.left && hitTest(closeBox, y) != HTCLOSE) {
        --closeBox;
    }
    EXPECT_GT(closeBox, window.left) << "no close box on the caption";
    EXPECT_EQ(hitTest(window.left + 1, Centre(window).y), HTLEFT);

    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() != nullptr; }, kReactionTimeout));
    ASSERT_TRUE(PressKeys({ VK_MENU, VK_F4 }));
    ExpectExitCodeZero();
}
