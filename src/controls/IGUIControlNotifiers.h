#pragma once

class CGUINotifier;

// The change notifiers of a control; listeners read the new state from the
// control.
class IGUIControlNotifiers {
public:
    virtual CGUINotifier& GetVisibilityNotifier() = 0;
    virtual CGUINotifier& GetEnabledNotifier() = 0;
    virtual CGUINotifier& GetPositionNotifier() = 0;
    virtual CGUINotifier& GetOpacityNotifier() = 0;
    // Fires when the mouse enters or leaves (IsHovered tells which).
    virtual CGUINotifier& GetEnterLeaveNotifier() = 0;
    // Fires when the mouse rests over the control; GetHoverPosition tells where.
    virtual CGUINotifier& GetHoverNotifier() = 0;
    // Fires when the control gains or loses the keyboard focus.
    virtual CGUINotifier& GetFocusNotifier() = 0;
    virtual ~IGUIControlNotifiers() = default;
};
