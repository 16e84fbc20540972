#pragma once

#include "window/GUIWindowEvents.h"

// Keyboard input and focus of a window. A key message goes to OnKeyDown or
// OnKeyUp only when WantsKey accepts it; otherwise the window hands it to its
// parent window.
class IGUIKeyboardListener {
public:
    // WM_KEYDOWN and WM_CHAR.
    virtual void OnKeyDown(const CGUIKeyEvent& event) = 0;
    virtual void OnKeyUp(const CGUIKeyEvent& event) = 0;
    virtual void OnHotKey(const CGUIHotKeyEvent& event) = 0;
    [[nodiscard]] virtual bool WantsKey(const CGUIKeyEvent& event) = 0;
    virtual void OnSetFocus(const CGUIFocusEvent& event) = 0;
    virtual void OnKillFocus(const CGUIFocusEvent& event) = 0;
    virtual ~IGUIKeyboardListener() = default;
};

// Wants no key and ignores focus changes.
class CGUIKeyboardListener : public IGUIKeyboardListener {
public:
    void OnKeyDown(const CGUIKeyEvent&) override { }
    void OnKeyUp(const CGUIKeyEvent&) override { }
    void OnHotKey(const CGUIHotKeyEvent&) override { }
    [[nodiscard]] bool WantsKey(const CGUIKeyEvent&) override { return false; }
    void OnSetFocus(const CGUIFocusEvent&) override { }
    void OnKillFocus(const CGUIFocusEvent&) override { }
};
