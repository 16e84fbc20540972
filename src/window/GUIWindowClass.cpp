#include "window/GUIWindowClass.h"

#include "runtime/CGUIWindowClassRegistry.h"
#include "runtime/GUIModule.h"
#include "window/CGUIActivationContext.h"

CGUIString RegisterWindowClass(EGUIWindowClass kind, WNDPROC windowProc)
{
    WNDCLASSA description {};
    const char* suffix = "::_GUIChildWindowClass_";
    switch (kind) {
    case EGUIWindowClass::Child:
        break;
    case EGUIWindowClass::DoubleClickChild:
        suffix = "::_GUIDoubleClickChildWindowClass_";
        description.style = CS_DBLCLKS;
        break;
    case EGUIWindowClass::Dialog:
        suffix = "::_GUIDialogWindowClass_";
        description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        break;
    }
    const CGUIString name = MakeModuleClassName(suffix);
    // Asked on every creation: the registry's answer spares a failing native
    // registration, a round trip to the window server.
    CGUIWindowClassRegistry& registry = CGUIWindowClassRegistry::GetInstance();
    if (registry.IsRegistered(name.GetText())) {
        return name;
    }
    description.lpfnWndProc = windowProc;
    description.hInstance = GetModuleInstance();
    description.lpszClassName = name.GetText();
    const CGUIActivationContext activation;
    if (activation.IsActive()) {
        // False when the class exists already: all the callers need.
        static_cast<void>(registry.RegisterClass(description));
    }
    return name;
}
