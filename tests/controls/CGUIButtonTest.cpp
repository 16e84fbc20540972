#include "controls/CGUIButton.h"
#include "CCountingListener.h"
#include "controls/GUICommonControls.h"
#include "window/CGUIDialogWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

TEST(CGUIButton, ATabStopButtonThatIsTheDefaultOnlyWhileFocusedAndNotifiesEachClickOnce)
{
    CGUIDialogWindow dialog;
    ASSERT_TRUE(dialog.CreateDialog(nullptr, 0));
    CGUIButton button;
    ASSERT_TRUE(button.Create(&dialog));
    const HWND hwnd = button.GetHandle();
    EXPECT_EQ(button.GetSize(), (CGUISize { 75, 23 }));
    EXPECT_TRUE(button.HasTabStop());
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_NE(GetCommonControlsLibrary(), nullptr);
    for (const UINT message : { WM_KILLFOCUS, WM_SETFOCUS, WM_KILLFOCUS }) {
        SendMessageA(hwnd, message, 0, 0);
        EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_STYLE) & BS_TYPEMASK,
            message == WM_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }

    // Enter and each click notify once, a double click nothing more.
    CCountingListener clicks(button.GetClickNotifier());
    SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(clicks.count, 1);
    for (const UINT message : { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }) {
        SendMessageA(hwnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
    SendMessageA(dialog.GetHandle(), WM_COMMAND, MAKEWPARAM(0, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(clicks.count, 3);
}

namespace {
// The main window's shutdown in small: the click listener destroys the
// dialog, whose OnDestroy deletes the button (and, when asked, the dialog
// object too). Both live in storage poisoned as soon as they are destroyed,
// so any later use of them crashes or fails the checks.
class CClosingDialog : public CGUIDialogWindow, public CGUIWindowListener, public IGUIListener {
public:
    CClosingDialog(unsigned char* buttonStorage, bool deleteSelf)
        : m_buttonStorage(buttonStorage)
        , m_deleteSelf(deleteSelf)
    {
    }
    static int s_destroyed;

    IGUIWindowListener* GetWindowListener() override { return this; }
    void OnNotify() override { DestroyWindow(GetHandle()); }
    void OnDestroy(const CGUIWindowEvent&) override
    {
        ++s_destroyed;
        reinterpret_cast<CGUIButton*>(m_buttonStorage)->~CGUIButton();
        std::memset(m_buttonStorage, 0xDD, sizeof(CGUIButton));
        if (m_deleteSelf) {
            auto* storage = reinterpret_cast<unsigned char*>(this);
            this->~CClosingDialog();
            std::memset(storage, 0xDD, sizeof(CClosingDialog));
        }
    }

private:
    unsigned char* m_buttonStorage;
    bool m_deleteSelf;
};
int CClosingDialog::s_destroyed = 0;

class CGUIButtonClose : public testing::TestWithParam<bool> { };
} // namespace

TEST_P(CGUIButtonClose, AListenerThatClosesTheWindowLeavesNothingToTouch)
{
    const bool deleteDialog = GetParam();
    alignas(CGUIButton) unsigned char buttonStorage[sizeof(CGUIButton)];
    alignas(CClosingDialog) unsigned char dialogStorage[sizeof(CClosingDialog)];
    auto* dialog = new (dialogStorage) CClosingDialog(buttonStorage, deleteDialog);
    dialog->SetVisible(true);
    ASSERT_TRUE(dialog->CreateDialog(nullptr, 0));
    const HWND dialogHwnd = dialog->GetHandle();
    auto* button = new (buttonStorage) CGUIButton;
    button->SetVisible(true);
    ASSERT_TRUE(button->Create(dialog));
    const HWND buttonHwnd = button->GetHandle();
    button->GetClickNotifier().AddListener(dialog);
    CClosingDialog::s_destroyed = 0;

    SendMessageA(buttonHwnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(CClosingDialog::s_destroyed, 1);
    EXPECT_FALSE(IsWindow(dialogHwnd));
    EXPECT_FALSE(IsWindow(buttonHwnd));
    if (!deleteDialog) {
        EXPECT_FALSE(dialog->IsCreated());
        dialog->~CClosingDialog();
    }
}

INSTANTIATE_TEST_SUITE_P(DialogObjectKeptOrDeleted, CGUIButtonClose, testing::Bool());
