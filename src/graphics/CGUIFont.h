#pragma once

#include "foundation/TMemberListener.h"
#include "graphics/CGUIFontDescription.h"
#include "graphics/IGUIGraphicsObject.h"
#include "graphics/TGUIGdiObject.h"

// A font description that produces its native font on demand. The native font
// is owned, made lazily and remade after any change of the description; a
// handle obtained earlier is deleted then, so select it right after GetHandle
// and do not keep it. Copies never share a native font.
class CGUIFont : public CGUIFontDescription, public IGUIGraphicsObject {
public:
    // Without a native font; the description has its defaults.
    CGUIFont();
    // Takes ownership of font (may be null) and reads its description.
    explicit CGUIFont(HFONT font);
    // Copies the description; the native font is made on first use.
    explicit CGUIFont(const CGUIFontDescription& description);
    CGUIFont(const CGUIFont& other);
    CGUIFont& operator=(const CGUIFont&) = delete;
    ~CGUIFont() override;

    CGUIFont* Clone() const override;
    HGDIOBJ GetHandle() const override;
    HGDIOBJ GetHandle() override;

    // Copies every field of description through the setters (each notifies
    // when its value changes); null copies nothing.
    void Assign(const CGUIFontDescription* description);
    void Assign(const IGUIFontDescription& description);
    // Takes the description of font's native font (the defaults when it has
    // none); this font's own native font is remade on next use.
    void CopyFrom(IGUIGraphicsObject& font);
    // Deletes the current native font and takes ownership of font instead.
    void Attach(HFONT font);
    // Applies pending changes, then hands the native font to the caller; this
    // font has none afterwards until its description changes.
    [[nodiscard]] HFONT Detach();

private:
    void MarkDirty() { m_dirty = true; }

    // The native font is a cache of the description, so const access may make it.
    mutable TGUIGdiObject<HFONT> m_handle;
    mutable bool m_dirty = false;
    TMemberListener<CGUIFont> m_dirtyListener { *this, &CGUIFont::MarkDirty };
};

// The process-wide font wrapping the platform's default GUI font; made on first
// use. Its stock native font is never deleted.
IGUIGraphicsObject& GetDefaultFont();
