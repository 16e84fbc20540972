#include "E2EDesktop.h"
#include "RegistryDump.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <regex>
#include <set>

using namespace std::chrono_literals;

namespace {
constexpr auto kStartTimeout = 30s;
// Without a window manager Wine waits up to two seconds for one whenever an
// active top-level window goes away.
constexpr auto kReactionTimeout = 10s;
constexpr const char* kDialogClass = "::_GUIDialogWindowClass_";
constexpr const char* kMarker = "_Disabled_";
// Shared with the application through the Wine prefix.
constexpr const char* kPluginRoot = "MfxSoftSynths";
constexpr const char* kBackupPath = "Software\\DXiManagerEndToEndBackup";
const std::string kOrgan = "{0A4E6A2D-1B7C-4C15-9F01-6E2B3C4D5E01}";
const std::string kBass = "{7C10B9E4-52AA-4F0D-8E3B-1D2C3B4A5F02}";
const std::string kPiano = "{b2d3c4e5-6f70-4182-93a4-b5c6d7e8f903}";
const std::string kStrings = "{E3F4A5B6-C7D8-49EA-BBCC-DDEEFF001104}";
// The help text and the two column titles.
const std::multiset<std::string> kViewTexts = { "DXi Plug-in Name", "MIDI Enabled",
    "Click on a check box to enable or disable the corresponding DXi MIDI capabilities.\nOnce disabled, a DXi will "
    "show up as a non-MIDI DirectX plug-in in your host." };

class DXiManagerWindowTest : public testing::Test {
protected:
    // The prefix's own instruments are kept aside while the tests rewrite the root.
    static void SetUpTestSuite()
    {
        s_hadRoot = MoveKey(HKEY_CLASSES_ROOT, kPluginRoot, HKEY_CURRENT_USER, kBackupPath);
    }
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(DeletePluginRoot());
        EXPECT_TRUE(!s_hadRoot || MoveKey(HKEY_CURRENT_USER, kBackupPath, HKEY_CLASSES_ROOT, kPluginRoot));
    }
    // Replaces to by from, which goes only once copied; false when there is no from.
    static bool MoveKey(HKEY fromParent, const char* from, HKEY toParent, const char* to)
    {
        SHDeleteKeyA(toParent, to);
        HKEY target = nullptr;
        if (DumpRegistryKey(fromParent, from) == "missing") {
            return false;
        }
        EXPECT_TRUE(RegCreateKeyA(toParent, to, &target) == ERROR_SUCCESS
            && SHCopyKeyA(fromParent, from, target, 0) == ERROR_SUCCESS && RegCloseKey(target) == ERROR_SUCCESS
            && SHDeleteKeyA(fromParent, from) == ERROR_SUCCESS);
        return true;
    }
    static bool DeletePluginRoot()
    {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kPluginRoot);
        return DumpRegistryKey(HKEY_CLASSES_ROOT, kPluginRoot) == "missing";
    }
    // Under Wine the A functions take sub-key paths of at most 260 characters,
    // so long instrument keys are reached from the opened root.
    void SetUp() override
    {
        ASSERT_TRUE(DeletePluginRoot());
        ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, kPluginRoot, &m_root), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(m_root);
        // No failed test leaves the application running.
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, 10000);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
    }

    static std::string Toggled(const std::string& key)
    {
        return key.rfind(kMarker, 0) == 0 ? key.substr(std::strlen(kMarker)) : kMarker + key;
    }
    std::set<std::string> Instruments() const
    {
        const std::vector<std::string> keys = ListSubKeys(m_root);
        return { keys.begin(), keys.end() };
    }
    std::string Dump(const std::string& key) const { return DumpRegistryKey(m_root, key); }
    // Each instrument's content, under both of its names.
    void RememberContents()
    {
        for (const std::string& key : Instruments()) {
            m_contents[key] = m_contents[Toggled(key)] = Dump(key);
        }
    }
    // Waits until the instruments are keys, then expects each with its content.
    void ExpectInstruments(const std::vector<std::string>& keys)
    {
        EXPECT_TRUE(WaitUntil([&] { return Instruments() == std::set(keys.begin(), keys.end()); }, kReactionTimeout));
        for (const std::string& key : keys) {
            EXPECT_EQ(Dump(key), m_contents[key]) << key;
        }
    }
    // The instrument of row switched, expects the registry to follow.
    void ExpectSwitched(std::vector<std::string>& keys, size_t row)
    {
        keys[row] = Toggled(keys[row]);
        ExpectInstruments(keys);
    }

    // Left, top, width and height, compared at once.
    static std::array<LONG, 4> Placement(const RECT& rect)
    {
        return { rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top };
    }
    // The direct children of parent, of that class unless it is null.
    static std::vector<HWND> ChildrenOf(HWND parent, const char* className = nullptr)
    {
        std::vector<HWND> children;
        for (HWND child = nullptr; (child = FindWindowExA(parent, child, className, nullptr));) {
            children.push_back(child);
        }
        return children;
    }
    // Returns once the window's thread has handled everything sent to it so far.
    static bool CatchUp(HWND window) { return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }
    // The name view on the same row as box: the one other child beside it.
    HWND NameBeside(HWND box) const
    {
        const RECT boxRect = RectIn(box, m_view);
        for (HWND child : ChildrenOf(m_view)) {
            const RECT rect = RectIn(child, m_view);
            if (child != box && rect.top < boxRect.bottom && rect.bottom > boxRect.top) {
                return child;
            }
        }
        return nullptr;
    }
    bool WhollyInView(HWND window) const
    {
        RECT client {}, both {};
        const RECT rect = RectIn(window, m_view);
        return GetClientRect(m_view, &client) && IntersectRect(&both, &client, &rect) && EqualRect(&both, &rect);
    }
    static LRESULT CheckState(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0); }
    static LONG_PTR Style(HWND window, LONG_PTR mask) { return GetWindowLongPtrA(window, GWL_STYLE) & mask; }
    // The text of a message box, held by its static control of this id.
    static std::string MessageText(HWND box) { return GetTextOf(GetDlgItem(box, 0xFFFF)); }
    static std::string SystemMessage(DWORD code)
    {
        char text[512];
        return std::string(text,
            FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                sizeof(text), nullptr));
    }

    // Starts the executable with the normal show command.
    [[nodiscard]] bool StartProcess()
    {
        STARTUPINFOA startup {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        return CreateProcessA(PathBesideTests(DXI_E2E_APP_PATH).c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
            nullptr, &startup, &m_process);
    }
    void StartApplication()
    {
        ASSERT_TRUE(StartProcess()) << "cannot start " << PathBesideTests(DXI_E2E_APP_PATH) << ": error "
                                    << GetLastError();
        ASSERT_NO_FATAL_FAILURE(FindMainWindow());
    }
    // The application's visible top-level windows, in the window manager's
    // order, whose class name contains className and, unless caption is null,
    // whose text is caption.
    std::vector<HWND> TopLevelWindows(const char* className = "", const char* caption = nullptr) const
    {
        std::vector<HWND> windows;
        for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == m_process.dwProcessId && IsWindowVisible(window)
                && GetClassNameOf(window).find(className) != std::string::npos
                && (!caption || GetTextOf(window) == caption)) {
                windows.push_back(window);
            }
        }
        return windows;
    }
    // The first of them; null after timeout.
    HWND WaitForWindow(const char* className, const char* caption, std::chrono::milliseconds timeout) const
    {
        std::vector<HWND> windows;
        (void)WaitUntil([&] { return !(windows = TopLevelWindows(className, caption)).empty(); }, timeout);
        return windows.empty() ? nullptr : windows[0];
    }
    // STILL_ACTIVE while the application runs.
    DWORD WaitForExitCode() const
    {
        DWORD exitCode = STILL_ACTIVE;
        WaitForSingleObject(m_process.hProcess, 10000);
        return GetExitCodeProcess(m_process.hProcess, &exitCode) ? exitCode : STILL_ACTIVE;
    }
    void FindMainWindow()
    {
        m_main = WaitForWindow(kDialogClass, nullptr, kStartTimeout);
        ASSERT_TRUE(m_main && CatchUp(m_main)) << "no main window";
        // The framework's classes carry the module handle in front.
        m_classPrefix = std::to_string(static_cast<uintptr_t>(GetWindowLongPtrA(m_main, GWLP_HINSTANCE)));
        m_view = FindWindowExA(m_main, nullptr, (m_classPrefix + "::_GUIChildWindowClass_").c_str(), nullptr);
        ASSERT_NE(m_view, nullptr) << "no framework child window in the main window";
    }
    HWND Button(const char* text) const { return FindWindowExA(m_main, nullptr, "Button", text); }
    // The instrument rows' check boxes, from top to bottom.
    std::vector<HWND> CheckBoxes() const
    {
        std::vector<HWND> boxes = ChildrenOf(m_view, "Button");
        std::sort(boxes.begin(), boxes.end(),
            [this](HWND a, HWND b) { return RectIn(a, m_view).top < RectIn(b, m_view).top; });
        return boxes;
    }
    std::multiset<std::string> ViewTexts() const
    {
        std::multiset<std::string> texts;
        for (HWND child : ChildrenOf(m_view)) {
            texts.insert(GetTextOf(child));
        }
        return texts;
    }
    bool NoMessageBox() const { return CatchUp(m_main) && !WaitForWindow("#32770", nullptr, 0s); }
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
    // The error box once it shows, its owner and text checked.
    HWND WaitForErrorBox(const std::string& text, std::chrono::milliseconds timeout)
    {
        const HWND error = WaitForWindow("#32770", "Error", timeout);
        Screenshot("error");
        EXPECT_EQ(GetWindow(error, GW_OWNER), nullptr) << "an error box has no owner";
        EXPECT_EQ(MessageText(error), text) << (error ? "" : "no error box");
        return error;
    }
    HWND FocusedWindow() const { return GetGuiThreadOf(m_main).hwndFocus; }
    [[nodiscard]] bool FocusReaches(HWND window) const
    {
        return WaitUntil([&] { return FocusedWindow() == window; }, kReactionTimeout);
    }

    // A window that has just appeared may not have painted yet, and Wine puts
    // what was painted on the screen when the thread next goes idle.
    static void Repaint(const std::vector<HWND>& windows)
    {
        for (HWND window : windows) {
            EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW)
                && CatchUp(window))
                << "the windows did not paint";
        }
    }
    void Screenshot(const std::string& moment = {})
    {
        const std::string name
            = testing::UnitTest::GetInstance()->current_test_info()->name() + (moment.empty() ? "" : "-" + moment);
        const std::vector<HWND> windows = TopLevelWindows();
        Repaint(windows);
        EXPECT_TRUE(SaveScreenshot(windows, name)) << "no screenshot for " << name;
    }
    std::vector<DWORD> CaptureMainWindow()
    {
        Repaint({ m_main });
        RECT area = RectIn(m_main);
        const std::vector<DWORD> pixels = CaptureScreen(area);
        EXPECT_TRUE(!pixels.empty() && Placement(area) == Placement(RectIn(m_main))) << "the window is off the screen";
        return pixels;
    }
    // Expects every pixel where two captures of the main window differ inside
    // one of allowed; returns how many lie in the first.
    int CountChangedPixels(
        const std::vector<DWORD>& before, const std::vector<DWORD>& after, std::initializer_list<RECT> allowed)
    {
        const RECT window = RectIn(m_main);
        int inFirst = 0;
        for (LONG at = 0; at < static_cast<LONG>(std::min(before.size(), after.size())); ++at) {
            const LONG width = window.right - window.left;
            const POINT point { window.left + at % width, window.top + at / width };
            if (before[at] != after[at]) {
                inFirst += PtInRect(allowed.begin(), point);
                EXPECT_TRUE(std::any_of(
                    allowed.begin(), allowed.end(), [&](const RECT& rect) { return PtInRect(&rect, point); }))
                    << "pixel " << point.x << "," << point.y << " changed";
            }
        }
        return inFirst;
    }

    static inline bool s_hadRoot = false;
    HKEY m_root = nullptr;
    std::map<std::string, std::string> m_contents;
    PROCESS_INFORMATION m_process {};
    HWND m_main = nullptr;
    HWND m_view = nullptr;
    std::string m_classPrefix;
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
    std::set<std::string> keys;
    for (const auto& [key, name] : names) {
        ASSERT_TRUE(AddTestInstrument(m_root, key, name));
        keys.insert(key);
    }
    ASSERT_TRUE(AddTestInstrument(m_root, kMarker + kStrings, "Strings"));
    const std::string strings = Dump(kStrings);
    // No mouse: the pointer lights up nothing.
    ASSERT_TRUE(SetCursorPos(0, 0));
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    Screenshot();
    EXPECT_EQ(Instruments(), keys);
    EXPECT_EQ(Dump(kStrings), strings);
    std::vector<std::string> registered = ListSubKeys(m_root);
    RememberContents();

    // The window: title, class, centred; the view, "About" left of "Close" in
    // a row below it, and the client area around them.
    EXPECT_EQ(GetTextOf(m_main), "Vedodir's DXi Manager");
    EXPECT_EQ(GetClassNameOf(m_main), m_classPrefix + kDialogClass);
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), WS_VSCROLL) << "rows below the view, none wider";
    const auto [left, top, width, height] = Placement(RectIn(m_main));
    EXPECT_EQ(std::make_pair(left, top),
        std::make_pair(std::max((GetSystemMetrics(SM_CXSCREEN) - width) / 2, 0L),
            std::max((GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0L)));
    const HWND about = Button("About");
    const HWND close = Button("Close");
    const LONG row = RectIn(close, m_main).top;
    EXPECT_GE(row, 404);
    RECT client {};
    GetClientRect(m_main, &client);
    EXPECT_EQ((std::vector { Placement(RectIn(m_view, m_main)), Placement(RectIn(about, m_main)),
                  Placement(RectIn(close, m_main)), Placement(client) }),
        (std::vector<std::array<LONG, 4>> {
            { 4, 4, 500, 400 }, { 347, row, 75, 23 }, { 427, row, 75, 23 }, { 0, 0, 508, row + 29 } }));

    // One box per instrument in registry order, each with its own name beside
    // it, as a screen reader reads it too.
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), registered.size());
    EXPECT_TRUE(FocusReaches(boxes[0])) << "the focus does not start on the first box";
    const std::vector<DWORD> atStart = CaptureMainWindow();
    std::multiset<std::string> texts = kViewTexts;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const std::string& name = names[registered[i]];
        const RECT box = RectIn(boxes[i], m_view);
        const RECT text = RectIn(NameBeside(boxes[i]), m_view);
        // State, column and size, kind, tab stop, name; the name view left of
        // the box and centred on it.
        EXPECT_EQ(std::make_tuple(CheckState(boxes[i]), box.left, box.right - box.left, box.bottom - box.top,
                      Style(boxes[i], BS_TYPEMASK), Style(boxes[i], WS_TABSTOP) && IsWindowVisible(boxes[i]),
                      GetTextOf(boxes[i]), GetTextOf(NameBeside(boxes[i])), text.right <= box.left,
                      std::abs((text.top + text.bottom) - (box.top + box.bottom)) <= 1),
            std::make_tuple(registered[i].find(kMarker) == std::string::npos ? BST_CHECKED : BST_UNCHECKED,
                RectIn(boxes[0], m_view).left, 13L, 13L, BS_AUTOCHECKBOX, true, name, name, true, true))
            << registered[i];
        texts.insert({ name, name });
    }
    EXPECT_EQ(ViewTexts(), texts);

    // Tab: every box in row order, "About", "Close", around to the first box;
    // Shift+Tab the same way back. Each focused row is scrolled wholly into view.
    std::vector<HWND> cycle = boxes;
    cycle.insert(cycle.end(), { about, close });
    for (size_t step = 1; step <= 2 * cycle.size(); ++step) {
        const bool backwards = step > cycle.size();
        const HWND focus = cycle[backwards ? 2 * cycle.size() - step : step % cycle.size()];
        SCOPED_TRACE(testing::Message() << "key press " << step);
        ASSERT_TRUE(backwards ? PressKeys({ VK_SHIFT, VK_TAB }) : PressKeys({ VK_TAB }));
        ASSERT_TRUE(FocusReaches(focus) && CatchUp(m_main));
        EXPECT_TRUE(GetParent(focus) != m_view || (WhollyInView(focus) && WhollyInView(NameBeside(focus))));
        // Only a focused button looks as if Enter pressed it.
        EXPECT_EQ(std::make_pair(
                      Style(about, BS_TYPEMASK) == BS_DEFPUSHBUTTON, Style(close, BS_TYPEMASK) == BS_DEFPUSHBUTTON),
            std::make_pair(focus == about, focus == close));
    }

    // Back at the top. The names the boxes carry change no pixel; the start
    // differs at most by the focus mark around the first box, which goes when
    // the focus leaves the list.
    SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
    const std::vector<DWORD> marked = CaptureMainWindow();
    for (HWND box : boxes) {
        SetWindowTextA(box, "");
    }
    EXPECT_TRUE(CaptureMainWindow() == marked) << "a check box draws its name";
    for (size_t i = 0; i < boxes.size(); ++i) {
        SetWindowTextA(boxes[i], names[registered[i]].c_str());
    }
    RECT mark = RectIn(boxes[0]);
    InflateRect(&mark, 3, 3);
    CountChangedPixels(atStart, marked, { mark });
    ASSERT_TRUE(PressKeys({ VK_SHIFT, VK_TAB }));
    ASSERT_TRUE(FocusReaches(close));
    EXPECT_GT(CountChangedPixels(marked, CaptureMainWindow(), { mark, RectIn(close) }), 20)
        << "no focus mark around the focused box";
    ASSERT_TRUE(PressKeys({ VK_TAB }));
    ASSERT_TRUE(FocusReaches(boxes[0]));

    // Wheel: one notch, and forty turns of 3, over the help text, a name, its
    // box and the gap between them.
    const LONG firstTop = RectIn(boxes[0], m_view).top;
    const auto scrolledBy = [&](LONG pixels) {
        EXPECT_TRUE(WaitUntil([&] { return RectIn(boxes[0], m_view).top == firstTop - pixels; }, kReactionTimeout))
            << "moved by " << firstTop - RectIn(boxes[0], m_view).top << ", not " << pixels;
    };
    RECT list {};
    GetClientRect(m_view, &list);
    MapWindowPoints(m_view, nullptr, reinterpret_cast<POINT*>(&list), 2);
    const RECT name = RectIn(NameBeside(boxes[1]));
    const RECT box = RectIn(boxes[1]);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    for (const POINT point : { POINT { list.left + 20, list.top + 10 }, POINT { name.left + 2, Centre(name).y },
             Centre(box), POINT { (name.right + box.left) / 2, Centre(box).y } }) {
        for (const int turns : { 1, 40 }) {
            SCOPED_TRACE(testing::Message() << point.x << "," << point.y << ", " << turns << " turns");
            SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
            ASSERT_TRUE(SendMouseAt(point, std::vector<DWORD>(turns, MOUSEEVENTF_WHEEL), -WHEEL_DELTA / turns));
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
    ASSERT_TRUE(CatchUp(m_main) && WhollyInView(boxes.back()));
    ASSERT_LT(RectIn(boxes[0], m_view).top, firstTop) << "not scrolled";
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(boxes.back()));
    ExpectSwitched(registered, boxes.size() - 1);

    // Page Down scrolls the list from a focused box; Space switches the
    // focused box; Esc closes as "Close" does.
    ASSERT_TRUE(PressKeys({ VK_TAB, VK_TAB, VK_TAB }));
    ASSERT_TRUE(FocusReaches(boxes[0]));
    SendMessageA(m_view, WM_VSCROLL, SB_TOP, 0);
    ASSERT_TRUE(PressKeys({ VK_NEXT }));
    scrolledBy(list.bottom - list.top);
    const LRESULT firstState = CheckState(boxes[0]);
    ASSERT_TRUE(PressKeys({ VK_SPACE }));
    EXPECT_TRUE(WaitUntil([&] { return CheckState(boxes[0]) != firstState; }, kReactionTimeout));
    ExpectSwitched(registered, 0);
    ASSERT_TRUE(PressKeys({ VK_ESCAPE }));
    EXPECT_EQ(WaitForExitCode(), 0u);
}

// One start on a registry without the plug-in root: the read error, then the
// empty table, and "Close".
TEST_F(DXiManagerWindowTest, MissingRootShowsTheReadErrorBeforeAnEmptyTable)
{
    ASSERT_TRUE(DeletePluginRoot());
    ASSERT_TRUE(StartProcess());
    const HWND error = WaitForErrorBox("Error while reading registry. Check that you have admin rights:\n"
            + SystemMessage(ERROR_FILE_NOT_FOUND) + "()",
        kStartTimeout);
    EXPECT_EQ(WaitForWindow(kDialogClass, nullptr, 0s), nullptr)
        << "the main window is shown before the read error is closed";
    ASSERT_NO_FATAL_FAILURE(PressOk(error));

    ASSERT_NO_FATAL_FAILURE(FindMainWindow());
    // No box: the view's own texts remain, and fit without bars.
    EXPECT_EQ(ViewTexts(), kViewTexts);
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, kPluginRoot), "missing") << "reading must not create the root";
    const HWND close = Button("Close");
    EXPECT_TRUE(FocusReaches(close)) << "no box: Close has the focus";
    ASSERT_TRUE(ClickWindow(close));
    EXPECT_EQ(WaitForExitCode(), 0u);
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
    HKEY refusedKey = nullptr;
    const LSTATUS refused = RegCreateKeyA(m_root, (kMarker + overlong).c_str(), &refusedKey);
    ASSERT_NE(refused, ERROR_SUCCESS) << "the overlong key can be disabled";
    std::vector<std::string> keys = ListSubKeys(m_root);
    RememberContents();
    ASSERT_NE(m_contents[kOrgan].find("Patch 1"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    const std::vector<HWND> boxes = CheckBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(Style(m_view, WS_VSCROLL | WS_HSCROLL), WS_HSCROLL) << "a name wider than the view";
    // The boxes stand right of the widest name.
    for (int page = 0; page < 5; ++page) {
        SendMessageA(m_view, WM_HSCROLL, SB_PAGERIGHT, 0);
    }
    const auto rowOf = [&](const std::string& key) {
        return static_cast<size_t>(std::find(keys.begin(), keys.end(), key) - keys.begin());
    };
    const size_t organ = rowOf(kOrgan);
    const HWND bass = boxes[rowOf(kBass)];
    const HWND box = boxes[rowOf(overlong)];

    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(boxes[organ]));
    ExpectSwitched(keys, organ);
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(boxes[organ]));
    ExpectSwitched(keys, organ);
    // The clicks left the keyboard focus on the box.
    ASSERT_TRUE(FocusReaches(boxes[organ]));
    ASSERT_TRUE(PressKeys({ VK_RETURN }));
    ASSERT_TRUE(WaitUntil([&] { return CheckState(boxes[organ]) == BST_UNCHECKED; }, kReactionTimeout))
        << "Enter did not toggle the focused box";
    ExpectSwitched(keys, organ);
    EXPECT_EQ(CheckState(bass), BST_CHECKED);
    EXPECT_TRUE(NoMessageBox());

    // The overlong name cannot be disabled: the edit error, nothing changed.
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    const HWND error = WaitForErrorBox("Failed to edit registry. Check that you have admin rights:\n"
            + SystemMessage(refused) + "(" + kMarker + overlong + ")",
        kReactionTimeout);
    EXPECT_TRUE(IsWindowEnabled(m_main)) << "an error box leaves the main window enabled";
    ASSERT_NO_FATAL_FAILURE(PressOk(error));
    EXPECT_EQ(CheckState(box), BST_UNCHECKED) << "the box keeps the mark the user set";
    ExpectInstruments(keys);
    // Clicking again agrees with the entry, which is still enabled: nothing to do.
    ASSERT_NO_FATAL_FAILURE(ClickCheckBox(box));
    EXPECT_TRUE(NoMessageBox());
    EXPECT_EQ(CheckState(box), BST_CHECKED);
    ExpectInstruments(keys);

    ASSERT_TRUE(ClickWindow(Button("About")));
    const HWND about = WaitForWindow("#32770", "About Vedodir's DXi Manager", kReactionTimeout);
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), m_main);
    EXPECT_FALSE(IsWindowEnabled(m_main)) << "the owner is disabled while the box is open";
    EXPECT_TRUE(std::regex_match(MessageText(about),
        std::regex("[^\n]*1\\.1[^\n]*\n[^\n]+\nThis software is provided \"as is\", without warranty of any kind\\.")))
        << MessageText(about);
    ASSERT_NO_FATAL_FAILURE(PressOk(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }, kReactionTimeout));

    // Without a window manager Wine draws no caption under Xvfb, so a real click
    // there reaches no window: the window's own answer is what is checked, along
    // the caption and at the left edge.
    const RECT window = RectIn(m_main);
    POINT clientTop {};
    ClientToScreen(m_main, &clientTop);
    std::vector<LRESULT> caption;
    for (LONG x = window.left; x < window.right; ++x) {
        caption.push_back(SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM(x, (window.top + clientTop.y) / 2)));
    }
    EXPECT_EQ(caption[caption.size() / 2], HTCAPTION);
    EXPECT_NE(std::find(caption.begin(), caption.end(), HTCLOSE), caption.end()) << "no close box on the caption";
    EXPECT_EQ(SendMessageA(m_main, WM_NCHITTEST, 0, MAKELPARAM(window.left + 1, Centre(window).y)), HTLEFT);

    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() != nullptr; }, kReactionTimeout));
    ASSERT_TRUE(PressKeys({ VK_MENU, VK_F4 }));
    EXPECT_EQ(WaitForExitCode(), 0u);
}
