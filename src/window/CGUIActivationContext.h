#pragma once

#include <windows.h>

// Keeps the activation context of the framework's module active while the
// guard lives, so that window classes and common controls created meanwhile
// are those the module's manifest asks for. A module with its own
// (isolation-aware, resource 2) manifest gets that manifest's context; a
// module without one, such as an executable whose manifest already is the
// process default, runs in the process default context, where nothing needs
// activating. Callers skip their platform call when IsActive is false.
class CGUIActivationContext {
public:
    CGUIActivationContext();
    // Activates context; INVALID_HANDLE_VALUE stands for the process default
    // (nothing is activated) and null for a context that could not be made.
    explicit CGUIActivationContext(HANDLE context);
    CGUIActivationContext(const CGUIActivationContext&) = delete;
    CGUIActivationContext& operator=(const CGUIActivationContext&) = delete;
    // Deactivates what the constructor activated.
    ~CGUIActivationContext();

    // False only when a context was needed and could not be made or
    // activated.
    [[nodiscard]] bool IsActive() const { return m_active; }

private:
    bool m_active = false;
    bool m_activated = false;
    ULONG_PTR m_cookie = 0;
};
