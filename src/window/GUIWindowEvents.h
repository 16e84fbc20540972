#pragma once

#include "graphics/CGUIPoint.h"
#include "graphics/CGUISize.h"

#include <windows.h>

#include <cstdint>

// The event records handed to the window, mouse and keyboard listeners. Each
// carries the raw message it was made from, so a listener can reach data that
// the record does not spell out.
struct CGUIWindowEvent {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// WM_SIZE: the new client size.
struct CGUISizeEvent : CGUIWindowEvent {
    CGUISize clientSize;
};

// WM_MOVE: the new position of the client area (in the parent's client
// coordinates for a child window, on the screen otherwise).
struct CGUIMoveEvent : CGUIWindowEvent {
    CGUIPoint clientPosition;
};

// Mouse buttons, moves, hover, leave and wheel. point is in client
// coordinates (the wheel's screen position converted); wheelDelta is the
// signed wheel turn in WHEEL_DELTA units (120 per notch), 0 for other messages;
// keys holds the MK_ flags of the message.
struct CGUIMouseEvent : CGUIWindowEvent {
    CGUIPoint point;
    int32_t wheelDelta = 0;
    UINT keys = 0;
};

// WM_KEYDOWN, WM_KEYUP and WM_CHAR. key is the virtual key, or the character
// code of WM_CHAR; repeatCount is the low word of lParam.
struct CGUIKeyEvent : CGUIWindowEvent {
    UINT key = 0;
    int32_t repeatCount = 0;

    [[nodiscard]] bool IsCharacter() const { return message == WM_CHAR; }
};

// WM_HOTKEY: the identifier RegisterHotKey gave, the modifiers and the key.
struct CGUIHotKeyEvent : CGUIWindowEvent {
    int32_t id = 0;
    UINT modifiers = 0;
    UINT key = 0;
};

// WM_SETFOCUS and WM_KILLFOCUS: the window that loses or gains the focus, or
// none.
struct CGUIFocusEvent : CGUIWindowEvent {
    HWND other = nullptr;
};
