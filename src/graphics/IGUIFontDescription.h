#pragma once

#include <cstdint>

// An editable font description. Setters store and announce a value only when
// it changes.
class IGUIFontDescription {
public:
    // Null gives the empty name; longer names keep their first 31 characters.
    virtual void SetFaceName(const char* name) = 0;
    virtual const char* GetFaceName() const = 0;
    virtual void SetWidth(int32_t width) = 0;
    virtual int32_t GetWidth() const = 0;
    // Native meaning: negative values give the character height.
    virtual void SetHeight(int32_t height) = 0;
    virtual int32_t GetHeight() const = 0;
    // 1 anti-aliased, 2 ClearType, 3 not anti-aliased, anything else default.
    virtual void SetQuality(int32_t quality) = 0;
    virtual int32_t GetQuality() const = 0;
    // 400 normal, 700 bold.
    virtual void SetWeight(int32_t weight) = 0;
    virtual int32_t GetWeight() const = 0;
    virtual void SetItalic(bool italic) = 0;
    virtual bool IsItalic() const = 0;
    virtual void SetUnderline(bool underline) = 0;
    virtual bool IsUnderline() const = 0;
    virtual void SetStrikeOut(bool strikeOut) = 0;
    virtual bool IsStrikeOut() const = 0;
    // Rotation counter-clockwise in degrees, kept in tenths of a degree.
    virtual void SetAngle(float degrees) = 0;
    virtual float GetAngle() const = 0;
    virtual ~IGUIFontDescription() = default;
};
