#include "graphics/CGUIFontDescription.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr size_t kMaxFaceLength = LF_FACESIZE - 1;

} // namespace

CGUIFontDescription::CGUIFontDescription()
{
    ResetDescription();
}

template <class T, class U> void CGUIFontDescription::Store(T& field, U value)
{
    const auto narrowed = static_cast<T>(value);
    if (field != narrowed) {
        field = narrowed;
        m_changed.Notify();
    }
}

void CGUIFontDescription::SetFaceName(const char* name)
{
    char face[LF_FACESIZE] = {};
    if (name) {
        std::memcpy(face, name, strnlen(name, kMaxFaceLength));
    }
    if (std::memcmp(face, m_description.lfFaceName, sizeof face) != 0) {
        std::memcpy(m_description.lfFaceName, face, sizeof face);
        m_changed.Notify();
    }
}

const char* CGUIFontDescription::GetFaceName() const
{
    return m_description.lfFaceName;
}

void CGUIFontDescription::SetWidth(int32_t width)
{
    Store(m_description.lfWidth, width);
}

int32_t CGUIFontDescription::GetWidth() const
{
    return m_description.lfWidth;
}

void CGUIFontDescription::SetHeight(int32_t height)
{
    Store(m_description.lfHeight, height);
}

int32_t CGUIFontDescription::GetHeight() const
{
    return m_description.lfHeight;
}

void CGUIFontDescription::SetQuality(int32_t quality)
{
    BYTE native = DEFAULT_QUALITY;
    switch (quality) {
    case 1:
        native = ANTIALIASED_QUALITY;
        break;
    case 2:
        native = CLEARTYPE_QUALITY;
        break;
    case 3:
        native = NONANTIALIASED_QUALITY;
        break;
    default:
        break;
    }
    Store(m_description.lfQuality, native);
}

int32_t CGUIFontDescription::GetQuality() const
{
    switch (m_description.lfQuality) {
    case ANTIALIASED_QUALITY:
        return 1;
    case CLEARTYPE_QUALITY:
        return 2;
    case NONANTIALIASED_QUALITY:
        return 3;
    default:
        return 0;
    }
}

void CGUIFontDescription::SetWeight(int32_t weight)
{
    Store(m_description.lfWeight, weight);
}

int32_t CGUIFontDescription::GetWeight() const
{
    return m_description.lfWeight;
}

void CGUIFontDescription::SetItalic(bool italic)
{
    Store(m_description.lfItalic, italic ? 1 : 0);
}

bool CGUIFontDescription::IsItalic() const
{
    return m_description.lfItalic == 1;
}

void CGUIFontDescription::SetUnderline(bool underline)
{
    Store(m_description.lfUnderline, underline ? 1 : 0);
}

bool CGUIFontDescription::IsUnderline() const
{
    return m_description.lfUnderline == 1;
}

void CGUIFontDescription::SetStrikeOut(bool strikeOut)
{
    Store(m_description.lfStrikeOut, strikeOut ? 1 : 0);
}

bool CGUIFontDescription::IsStrikeOut() const
{
    return m_description.lfStrikeOut == 1;
}

void CGUIFontDescription::SetAngle(float degrees)
{
    if (!std::isfinite(degrees)) {
        return;
    }
    // Clamped first: converting an out-of-range float to an integer is undefined.
    constexpr double kLimit = std::numeric_limits<LONG>::max();
    const auto tenths = static_cast<LONG>(std::clamp(static_cast<double>(degrees) * 10.0 + 0.5, -kLimit, kLimit));
    if (tenths != m_description.lfEscapement || tenths != m_description.lfOrientation) {
        m_description.lfEscapement = tenths;
        m_description.lfOrientation = tenths;
        m_changed.Notify();
    }
}

float CGUIFontDescription::GetAngle() const
{
    return static_cast<float>(m_description.lfEscapement) * 0.1f;
}

void CGUIFontDescription::LoadDescription(const LOGFONTA& description)
{
    m_description = description;
    m_description.lfFaceName[kMaxFaceLength] = '\0';
}

void CGUIFontDescription::ResetDescription()
{
    m_description = {};
    m_description.lfCharSet = DEFAULT_CHARSET;
    m_description.lfQuality = ANTIALIASED_QUALITY;
}
