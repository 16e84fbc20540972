#pragma once

#include "foundation/CGUIByteBuffer.h"

#include <cstdio>

// MinGW checks formats against the C runtime it links (its own printf family).
#if defined(__MINGW32__)
#define GUI_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define GUI_PRINTF_FORMAT printf
#endif

// The framework's narrow-character text string: a byte buffer holding a
// NUL-terminated text whose size counts the terminator ("abc" has size 4).
// A string of size 0 or 1 is empty and reads as a shared static empty text,
// never as a null pointer.
class CGUIString : public CGUIByteBuffer {
public:
    CGUIString();
    CGUIString(const char* text); // NOLINT(google-explicit-constructor): texts convert freely
    CGUIString(const CGUIString& other);
    CGUIString& operator=(const CGUIString& other);
    ~CGUIString() override;

    // Keeps the first min(old size, new capacity) bytes when it reallocates.
    void Resize(int32_t newSize, bool allowShrink) override;

    // Copies text with its NUL; null empties the string. Returns the bytes
    // copied (0 for null).
    int32_t Assign(const char* text, bool allowShrink = true);
    void Append(const char* text, bool allowShrink = false);
    void Append(const CGUIString& other);
    // printf-style formatting; the buffer grows to fit when the capacity is too
    // small, and keeps its capacity otherwise. Returns the new size.
    int32_t Format(const char* format, ...) __attribute__((format(GUI_PRINTF_FORMAT, 2, 3)));
    // Takes ownership of a NUL-terminated array allocated with new[] (or null).
    void Adopt(char* text);

    // Copies characters first..last (last clamped to the final character)
    // into destination, which ends up empty when the range is.
    void Substring(int32_t first, int32_t last, CGUIString& destination) const;
    // Index of the first occurrence of needle at or after start, or -1.
    int32_t Find(const char* needle, int32_t start = 0) const;

    // Byte order of strcmp; two empty strings are equal.
    static bool Less(const CGUIString& left, const CGUIString& right);
    bool Equals(const CGUIString& other) const;
    bool Equals(const char* text) const;

    const char* GetText() const;
    int32_t GetLength() const;
    bool IsEmpty() const { return GetSize() <= 1; }

    static const char* EmptyText();
};
