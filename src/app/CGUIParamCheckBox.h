#pragma once

#include "foundation/TMemberListener.h"
#include "params/CGUIParamValueMapping.h"
#include "params/IParam.h"
#include "window/CGUICustomWindow.h"

#include <windows.h>

// A native check box bound to a two-state parameter. It shows a check mark
// while the parameter's value maps above 0.5, and a click assigns the mark
// the user set. When the assignment does not take (the parameter reads back
// unchanged) the mark stays as clicked: the box follows what the parameter
// announces, not what it refused.
//
// Sized to its box (13 × 13), it draws no text: its window text is free to
// carry a name for screen readers, and setting one moves no pixel.
class CGUIParamCheckBox : public CGUICustomWindow {
public:
    // parameter must outlive the check box.
    explicit CGUIParamCheckBox(IParam& parameter);
    ~CGUIParamCheckBox() override;

    // Creates the native "Button" check box (tab stop, the default GUI font)
    // as a child of parent and shows the parameter's value. Clicks reach the
    // parameter only when parent is a framework window, which reflects the
    // control's notifications to it.
    [[nodiscard]] bool Create(IGUIWindow* parent) override;
    // Sets the check mark from the parameter's value when it differs.
    void Update();
    // Fires after every click has been passed on to the parameter.
    CGUINotifier& GetChangeNotifier() { return m_changeNotifier; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Sets the check mark from the parameter's value when it differs from
    // shown, the mark the box has.
    void ShowPosition(bool shown);
    // The click sequence: a change bracket around the assignment of the mark.
    void OnClicked();

    IParam& m_parameter;
    CGUIParamValueMapping m_link;
    TMemberListener<CGUIParamCheckBox> m_linkListener;
    CGUINotifier m_changeNotifier;
};
