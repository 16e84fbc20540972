#include "controls/CGUIButton.h"
#include "controls/GUICommonControls.h"
#include "window/CGUIDialogWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>

namespace {
struct ClickCounter : IGUIListener {
    int clicks = 0;
    void OnNotify() override { ++clicks; }
};

// A shown dialog with one shown button.
struct ButtonOnDialog {
    CGUIDialogWindow dialog;
    CGUIButton button;
    ClickCounter counter;

    ButtonOnDialog()
    {
        dialog.SetVisible(true);
        EXPECT_TRUE(dialog.CreateDialog(nullptr, 0));
        button.SetVisible(true);
        EXPECT_TRUE(button.Create(&dialog));
        button.GetClickNotifier().AddListener(&counter);
    }
    ~ButtonOnDialog() { button.GetClickNotifier().RemoveListener(&counter); }
};

LONG_PTR ButtonType(HWND hwnd)
{
    return GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK;
}
} // namespace

TEST(CGUIButton, CreatesATabStopButtonOfTheDefaultSize)
{
    CGUIDialogWindow dialog;
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    CGUIButton hidden;
    ASSERT_TRUE(hidden.Create(&dialog));
    EXPECT_EQ(hidden.GetSize(), (CGUISize { 75, 23 }));
    EXPECT_TRUE(hidden.HasTabStop());
    EXPECT_EQ(GetWindowLongPtrA(hidden.GetHandle(), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(hidden.GetHandle(), WM_GETFONT, 0, 0)),
        GetStockObject(DEFAULT_GUI_FONT));
    hidden.SetVisible(true);
    EXPECT_NE(GetWindowLongPtrA(hidden.GetHandle(), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_NE(GetCommonControlsLibrary(), nullptr);
}

TEST(CGUIButton, EnterGivesExactlyOneClick)
{
    ButtonOnDialog fixture;
    SendMessageA(fixture.button.GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(fixture.counter.clicks, 1);
}

TEST(CGUIButton, ADoubleClickNotifiesItsSingleClicksOnly)
{
    ButtonOnDialog fixture;
    const HWND hwnd = fixture.button.GetHandle();
    const LPARAM inside = MAKELPARAM(5, 5);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, inside);
    SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(fixture.counter.clicks, 2);
    // The notification of a double click itself adds nothing.
    SendMessageA(
        fixture.dialog.GetHandle(), WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(fixture.counter.clicks, 2);
}

TEST(CGUIButton, IsTheDefaultButtonOnlyWhileFocused)
{
    ButtonOnDialog fixture;
    const HWND hwnd = fixture.button.GetHandle();
    EXPECT_EQ(ButtonType(hwnd), BS_PUSHBUTTON);
    SendMessageA(hwnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(ButtonType(hwnd), BS_DEFPUSHBUTTON);
    SendMessageA(hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(ButtonType(hwnd), BS_PUSHBUTTON);
}

namespace {
// The main window's shutdown in small: the click listener destroys the
// dialog, whose OnDestroy deletes the button (and, when asked, the dialog
// object too). Both objects live in storage that is poisoned as soon as they
// are destroyed, so any later use of them crashes or fails the checks.
class ClosingDialog : public CGUIDialogWindow, public CGUIWindowListener, public IGUIListener {
public:
    ClosingDialog(unsigned char* buttonStorage, size_t buttonSize, bool deleteSelf, unsigned char* selfStorage)
        : m_buttonStorage(buttonStorage)
        , m_buttonSize(buttonSize)
        , m_deleteSelf(deleteSelf)
        , m_selfStorage(selfStorage)
    {
    }
    CGUIButton* button = nullptr;
    static int s_destroyed;

    IGUIWindowListener* GetWindowListener() override { return this; }
    void OnNotify() override { DestroyWindow(GetHandle()); }
    void OnDestroy(const CGUIWindowEvent&) override
    {
        ++s_destroyed;
        button->~CGUIButton();
        std::memset(m_buttonStorage, 0xDD, m_buttonSize);
        if (m_deleteSelf) {
            unsigned char* storage = m_selfStorage;
            this->~ClosingDialog();
            std::memset(storage, 0xDD, sizeof(ClosingDialog));
        }
    }

private:
    unsigned char* m_buttonStorage;
    size_t m_buttonSize;
    bool m_deleteSelf;
    unsigned char* m_selfStorage;
};
int ClosingDialog::s_destroyed = 0;
} // namespace

class CGUIButtonClose : public testing::TestWithParam<bool> { };

TEST_P(CGUIButtonClose, AListenerThatClosesTheWindowLeavesNothingToTouch)
{
    const bool deleteDialog = GetParam();
    alignas(CGUIButton) unsigned char buttonStorage[sizeof(CGUIButton)];
    alignas(ClosingDialog) unsigned char dialogStorage[sizeof(ClosingDialog)];
    auto* dialog = new (dialogStorage) ClosingDialog(buttonStorage, sizeof(buttonStorage), deleteDialog, dialogStorage);
    dialog->SetVisible(true);
    ASSERT_TRUE(dialog->CreateDialog(nullptr, 0));
    const HWND dialogHwnd = dialog->GetHandle();
    auto* button = new (buttonStorage) CGUIButton;
    dialog->button = button;
    button->SetVisible(true);
    ASSERT_TRUE(button->Create(dialog));
    const HWND buttonHwnd = button->GetHandle();
    button->GetClickNotifier().AddListener(dialog);
    ClosingDialog::s_destroyed = 0;

    SendMessageA(buttonHwnd, WM_KEYDOWN, VK_RETURN, 1);

    EXPECT_EQ(ClosingDialog::s_destroyed, 1);
    EXPECT_FALSE(IsWindow(dialogHwnd));
    EXPECT_FALSE(IsWindow(buttonHwnd));
    if (!deleteDialog) {
        EXPECT_FALSE(dialog->IsCreated());
        dialog->~ClosingDialog();
    }
}

INSTANTIATE_TEST_SUITE_P(DialogObjectKeptOrDeleted, CGUIButtonClose, testing::Bool());
