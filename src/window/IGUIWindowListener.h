#pragma once

#include "window/GUIWindowEvents.h"

// The life of a window: creation, destruction, size, position, enabling.
// Called on the window's thread, from its window procedure.
class IGUIWindowListener {
public:
    // WM_CREATE; false makes the creation fail.
    [[nodiscard]] virtual bool OnCreate(const CGUIWindowEvent& event) = 0;
    // WM_DESTROY; the window's children still exist.
    virtual void OnDestroy(const CGUIWindowEvent& event) = 0;
    virtual void OnSize(const CGUISizeEvent& event) = 0;
    virtual void OnMove(const CGUIMoveEvent& event) = 0;
    // WM_ENABLE; wParam tells the new state.
    virtual void OnEnable(const CGUIWindowEvent& event) = 0;
    virtual ~IGUIWindowListener() = default;
};

// Does nothing and lets creation go ahead: what a window uses until a class
// answers another listener.
class CGUIWindowListener : public IGUIWindowListener {
public:
    [[nodiscard]] bool OnCreate(const CGUIWindowEvent&) override { return true; }
    void OnDestroy(const CGUIWindowEvent&) override { }
    void OnSize(const CGUISizeEvent&) override { }
    void OnMove(const CGUIMoveEvent&) override { }
    void OnEnable(const CGUIWindowEvent&) override { }
};
