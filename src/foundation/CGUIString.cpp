#include "foundation/CGUIString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const char g_emptyText[1] = { '\0' };

int32_t TextSize(const char* text)
{
    return static_cast<int32_t>(std::strlen(text)) + 1;
}
} // namespace

const char* CGUIString::EmptyText()
{
    return g_emptyText;
}

CGUIString::CGUIString()
    : CGUIString(nullptr)
{
}

CGUIString::CGUIString(const char* text)
{
    Resize(0, true);
    Assign(text, true);
}

CGUIString::CGUIString(const CGUIString& other)
    : CGUIString(other.GetText())
{
}

CGUIString& CGUIString::operator=(const CGUIString& other)
{
    if (this != &other) {
        Assign(other.GetText(), true);
    }
    return *this;
}

CGUIString::~CGUIString() = default;

void CGUIString::Resize(int32_t newSize, bool allowShrink)
{
    Reallocate(newSize, allowShrink, GetSize());
}

int32_t CGUIString::Assign(const char* text, bool allowShrink)
{
    if (!text) {
        Resize(0, true);
        return 0;
    }
    const int32_t size = TextSize(text);
    // The text may live inside this buffer: copy it out before reallocating.
    const std::vector<char> copy(text, text + size);
    Resize(size, allowShrink);
    std::memcpy(GetData(), copy.data(), static_cast<size_t>(size));
    return size;
}

void CGUIString::Append(const char* text, bool allowShrink)
{
    if (!text || !*text) {
        return;
    }
    const int32_t length = GetLength();
    const std::vector<char> copy(text, text + TextSize(text));
    Resize(length + static_cast<int32_t>(copy.size()), allowShrink);
    std::memcpy(GetData() + length, copy.data(), copy.size());
}

void CGUIString::Append(const CGUIString& other)
{
    const int32_t length = GetLength();
    const std::vector<char> copy(other.GetText(), other.GetText() + other.GetLength() + 1);
    Resize(length + static_cast<int32_t>(copy.size()), false);
    std::memcpy(GetData() + length, copy.data(), copy.size());
}

int32_t CGUIString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        va_end(args);
        Resize(0, false);
        return GetSize();
    }
    // Formatted into a scratch buffer first: the arguments may point into
    // this string's own buffer.
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    Resize(length + 1, false);
    std::memcpy(GetData(), text.data(), text.size());
    return GetSize();
}

void CGUIString::Adopt(char* text)
{
    TakeArray(text, text ? TextSize(text) : 0);
}

void CGUIString::Substring(int32_t first, int32_t last, CGUIString& destination) const
{
    const int32_t length = GetLength();
    if (first < 0 || first >= length) {
        destination.Resize(0, true);
        return;
    }
    last = std::min(last, length - 1);
    const int32_t count = last - first + 1;
    if (count <= 0) {
        destination.Resize(0, true);
        return;
    }
    const std::vector<char> copy(GetText() + first, GetText() + first + count);
    destination.Resize(count + 1, false);
    std::memcpy(destination.GetData(), copy.data(), copy.size());
    destination.GetData()[count] = '\0';
}

int32_t CGUIString::Find(const char* needle, int32_t start) const
{
    if (!needle || start < 0 || start >= GetLength()) {
        return -1;
    }
    const char* found = std::strstr(GetText() + start, needle);
    return found ? static_cast<int32_t>(found - GetText()) : -1;
}

bool CGUIString::Less(const CGUIString& left, const CGUIString& right)
{
    return std::strcmp(left.GetText(), right.GetText()) < 0;
}

bool CGUIString::Equals(const CGUIString& other) const
{
    return Equals(other.GetText());
}

bool CGUIString::Equals(const char* text) const
{
    return std::strcmp(GetText(), text ? text : g_emptyText) == 0;
}

const char* CGUIString::GetText() const
{
    return GetSize() > 1 ? GetData() : g_emptyText;
}

int32_t CGUIString::GetLength() const
{
    return GetSize() < 1 ? 0 : GetSize() - 1;
}
