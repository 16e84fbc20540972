#pragma once

class IGUIControl;

// Keyboard focus and mouse capture among the controls of one host view.
class IGUIControlHost {
public:
    // The control that receives keyboard input (none: no control). Returns the
    // control that had the focus.
    virtual IGUIControl* SetFocusedControl(IGUIControl* control) = 0;
    virtual IGUIControl* GetFocusedControl() const = 0;
    // The control that receives all mouse input, holding the native mouse
    // capture meanwhile (none releases it). Returns the previous one.
    virtual IGUIControl* SetCapturedControl(IGUIControl* control) = 0;
    virtual IGUIControl* GetCapturedControl() const = 0;
    virtual ~IGUIControlHost() = default;
};
