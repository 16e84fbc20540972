#include "graphics/CGUIFont.h"

#include <new>

CGUIFont::CGUIFont()
    : CGUIFont(static_cast<HFONT>(nullptr))
{
}

CGUIFont::CGUIFont(HFONT font)
{
    GetChangedNotifier().AddListener(&m_dirtyListener);
    Attach(font);
}

CGUIFont::CGUIFont(const CGUIFontDescription& description)
    : CGUIFontDescription(description)
    , m_dirty(true)
{
    GetChangedNotifier().AddListener(&m_dirtyListener);
}

CGUIFont::CGUIFont(const CGUIFont& other)
    : CGUIFont(static_cast<const CGUIFontDescription&>(other))
{
}

CGUIFont::~CGUIFont()
{
    GetChangedNotifier().RemoveListener(&m_dirtyListener);
}

CGUIFont* CGUIFont::Clone() const
{
    return new (std::nothrow) CGUIFont(*this);
}

HGDIOBJ CGUIFont::GetHandle() const
{
    if (m_dirty) {
        m_handle.Reset();
        m_handle.Reset(CreateFontIndirectA(&GetDescription()));
        m_dirty = false;
    }
    return m_handle.Get();
}

HGDIOBJ CGUIFont::GetHandle()
{
    return static_cast<const CGUIFont*>(this)->GetHandle();
}

void CGUIFont::Assign(const CGUIFontDescription* description)
{
    if (description) {
        Assign(static_cast<const IGUIFontDescription&>(*description));
    }
}

void CGUIFont::Assign(const IGUIFontDescription& description)
{
    SetAngle(description.GetAngle());
    SetFaceName(description.GetFaceName());
    SetHeight(description.GetHeight());
    SetItalic(description.IsItalic());
    SetQuality(description.GetQuality());
    SetStrikeOut(description.IsStrikeOut());
    SetUnderline(description.IsUnderline());
    SetWeight(description.GetWeight());
    SetWidth(description.GetWidth());
}

void CGUIFont::CopyFrom(IGUIGraphicsObject& font)
{
    LOGFONTA description {};
    HGDIOBJ handle = font.GetHandle();
    if (handle && GetObjectA(handle, sizeof description, &description) == sizeof description) {
        LoadDescription(description);
    } else {
        ResetDescription();
    }
    m_dirty = true;
}

void CGUIFont::Attach(HFONT font)
{
    m_handle.Reset(font);
    LOGFONTA description {};
    if (font && GetObjectA(font, sizeof description, &description) == sizeof description) {
        LoadDescription(description);
    } else {
        ResetDescription();
    }
    m_dirty = false;
}

HFONT CGUIFont::Detach()
{
    GetHandle();
    m_dirty = false;
    return m_handle.Release();
}

IGUIGraphicsObject& GetDefaultFont()
{
    // Stock objects belong to the system: the font is handed back at exit
    // instead of being deleted.
    struct CDefaultFont {
        CGUIFont font { static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)) };
        ~CDefaultFont() { (void)font.Detach(); }
    };
    static CDefaultFont instance;
    return instance.font;
}
