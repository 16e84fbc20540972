#pragma once

#include "app/CBoolMemberParam.h"
#include "app/CDXiPlugin.h"
#include "app/CDXiWin32Registry.h"
#include "controls/CGUIButton.h"
#include "controls/CGUIScrollView.h"
#include "foundation/TMemberListener.h"
#include "window/CGUIDialogWindow.h"
#include "window/IGUIWindowListener.h"

#include <list>
#include <memory>
#include <vector>

// The application's window: the instrument table in a scroll view, with the
// "About" and "Close" buttons below it. The content is read from the
// registry and built once, when the native window is created, and released
// when it is destroyed.
//
// It works from the keyboard without a dialog loop: keys that the controls do
// not use come up to this window, where Tab and Shift+Tab move the focus
// through the check boxes, "About" and "Close" in the order they stand on the
// screen (scrolling a check box's row into view), and Esc closes the window
// as "Close" does. The focus starts on the first check box ("Close" with an
// empty list) and comes back to where it was when the window is activated.
class CDXiManagerWindow : public CGUIDialogWindow, public IGUIWindowListener {
public:
    // Works on HKEY_CLASSES_ROOT.
    CDXiManagerWindow();
    // Works on registry, which must outlive the window.
    explicit CDXiManagerWindow(IDXiRegistry& registry);
    ~CDXiManagerWindow() override;

    IGUIWindowListener* GetWindowListener() override { return this; }
    IGUIKeyboardListener* GetKeyboardListener() override { return &m_navigation; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Scans the registry, builds and places the content, centres the window.
    [[nodiscard]] bool OnCreate(const CGUIWindowEvent& event) override;
    // Deletes the views, the parameters and the entries, in that order.
    void OnDestroy(const CGUIWindowEvent& event) override;
    void OnSize(const CGUISizeEvent& event) override;
    void OnMove(const CGUIMoveEvent& event) override;
    void OnEnable(const CGUIWindowEvent& event) override;

    // Reads the registered instruments into the entry list (showing the read
    // error when the registry cannot be read).
    void ScanPlugins();
    // The modal About box, owned by this window.
    void ShowAbout();

    const std::vector<CDXiPlugin>& GetPlugins() const { return m_plugins; }
    CGUIScrollView& GetScrollView() { return m_scrollView; }

private:
    // Tab, Shift+Tab and Esc, from whichever child had the focus.
    class CKeyboardNavigation : public CGUIKeyboardListener {
    public:
        explicit CKeyboardNavigation(CDXiManagerWindow& window)
            : m_window(window)
        {
        }
        [[nodiscard]] bool WantsKey(const CGUIKeyEvent& event) override;
        void OnKeyDown(const CGUIKeyEvent& event) override;

    private:
        CDXiManagerWindow& m_window;
    };

    CDXiManagerWindow(std::unique_ptr<IDXiRegistry> ownRegistry, IDXiRegistry* registry);

    // The next (or previous) control in screen order, wrapping around.
    void MoveFocus(bool backwards);
    // Focuses control, a descendant of this window, and shows it whole.
    void FocusControl(HWND control);
    // Where the focus goes when this window gets it.
    [[nodiscard]] HWND GetFocusTarget() const;

    // The listener of the dialog window itself, which gets what this window
    // does not handle.
    IGUIWindowListener& GetDialogListener() { return *CGUIDialogWindow::GetWindowListener(); }

    std::unique_ptr<IDXiRegistry> m_ownRegistry;
    IDXiRegistry& m_registry;
    CGUIButton m_closeButton;
    TMemberListener<IGUIWindow> m_closeListener;
    CGUIButton m_aboutButton;
    TMemberListener<CDXiManagerWindow> m_aboutListener;
    CGUIScrollView m_scrollView;
    std::vector<CDXiPlugin> m_plugins;
    std::list<std::unique_ptr<IGUIWindow>> m_ownedViews;
    std::list<std::unique_ptr<CBoolMemberParam>> m_ownedParams;
    CKeyboardNavigation m_navigation { *this };
    // The control that had the focus when the window was last deactivated or
    // navigated; none at start.
    HWND m_lastFocus = nullptr;
};
