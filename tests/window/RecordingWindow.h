#pragma once

#include "foundation/CGUINotifier.h"
#include "graphics/IGUIDrawContext.h"
#include "graphics/IGUIRegion.h"
#include "window/CGUIDialogWindow.h"

#include <string>
#include <vector>

// A framework window that is its own window, mouse and keyboard listener and
// writes down every notification it gets, in order.
class RecordingWindow : public CGUIDialogWindow,
                        public IGUIWindowListener,
                        public IGUIMouseListener,
                        public IGUIKeyboardListener {
public:
    std::vector<std::string> events;
    std::vector<WPARAM> reflectedCommands;
    bool createResult = true;
    bool wantsKeys = false;

    IGUIWindowListener* GetWindowListener() override { return this; }
    IGUIMouseListener* GetMouseListener() override { return this; }
    IGUIKeyboardListener* GetKeyboardListener() override { return this; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GUI_REFLECTED_COMMAND) {
            reflectedCommands.push_back(wParam);
            events.push_back("reflected " + std::to_string(lParam == reinterpret_cast<LPARAM>(GetHandle())));
        }
        return CGUIDialogWindow::WindowProc(message, wParam, lParam);
    }

    bool OnCreate(const CGUIWindowEvent&) override
    {
        events.push_back("create");
        return createResult;
    }
    void OnDestroy(const CGUIWindowEvent&) override { events.push_back("destroy"); }
    void OnSize(const CGUISizeEvent&) override { }
    void OnMove(const CGUIMoveEvent&) override { }
    void OnEnable(const CGUIWindowEvent&) override { }

    void OnLeftDown(const CGUIMouseEvent&) override { events.push_back("left down"); }
    void OnLeftUp(const CGUIMouseEvent&) override { events.push_back("left up"); }
    void OnLeftClick(const CGUIMouseEvent&) override { events.push_back("left click"); }
    void OnLeftDoubleClick(const CGUIMouseEvent&) override { events.push_back("left double"); }
    void OnRightDown(const CGUIMouseEvent&) override { events.push_back("right down"); }
    void OnRightUp(const CGUIMouseEvent&) override { events.push_back("right up"); }
    void OnRightClick(const CGUIMouseEvent&) override { events.push_back("right click"); }
    void OnRightDoubleClick(const CGUIMouseEvent&) override { events.push_back("right double"); }
    void OnMouseEnter(const CGUIMouseEvent&) override { events.push_back("enter"); }
    void OnMouseMove(const CGUIMouseEvent& event) override
    {
        events.push_back("move " + std::to_string(event.point.x) + "," + std::to_string(event.point.y));
    }
    void OnMouseHover(const CGUIMouseEvent&) override { events.push_back("hover"); }
    void OnMouseLeave(const CGUIMouseEvent&) override { events.push_back("leave"); }
    void OnMouseWheel(const CGUIMouseEvent& event) override
    {
        events.push_back("wheel " + std::to_string(event.wheelDelta));
    }

    void OnKeyDown(const CGUIKeyEvent& event) override { events.push_back("key down " + std::to_string(event.key)); }
    void OnKeyUp(const CGUIKeyEvent& event) override { events.push_back("key up " + std::to_string(event.key)); }
    void OnHotKey(const CGUIHotKeyEvent&) override { events.push_back("hot key"); }
    bool WantsKey(const CGUIKeyEvent&) override { return wantsKeys; }
    void OnSetFocus(const CGUIFocusEvent&) override { events.push_back("set focus"); }
    void OnKillFocus(const CGUIFocusEvent&) override { events.push_back("kill focus"); }
};

// Fills the clip's bounds with a colour and writes down each call (name and
// clip bounds) into a shared log.
class FillPainter : public IGUIPainter {
public:
    FillPainter(std::string name, CGUIColor color, std::vector<std::string>& log)
        : m_name(std::move(name))
        , m_color(color)
        , m_log(log)
    {
    }
    CGUIRect area { 0, 0, 1000, 1000 };
    CGUIRect lastClip;
    int calls = 0;

    void SetColor(CGUIColor color) { m_color = color; }
    void Paint(IGUIDrawContext& context, const IGUIRegion* clip) override
    {
        ++calls;
        if (clip) {
            clip->GetBounds(lastClip);
        }
        m_log.push_back(m_name);
        context.FillRectangle(area, m_color);
    }
    void SetSize(CGUISize size) override { m_size = size; }
    CGUISize GetSize() const override { return m_size; }
    CGUINotifier& GetSizeNotifier() override { return m_sizeNotifier; }

private:
    std::string m_name;
    CGUIColor m_color;
    std::vector<std::string>& m_log;
    CGUISize m_size;
    CGUINotifier m_sizeNotifier;
};
