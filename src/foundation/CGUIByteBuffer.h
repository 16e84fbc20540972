#pragma once

#include <cstdint>
#include <memory>

// A growable owned byte array. Capacity grows by at least half of itself and
// shrinks only on request, when the new size falls below two thirds of it.
// The plain buffer drops its content when it reallocates; subclasses that
// need the content kept override Resize.
class CGUIByteBuffer {
public:
    CGUIByteBuffer() = default;
    CGUIByteBuffer(const CGUIByteBuffer&) = delete;
    CGUIByteBuffer& operator=(const CGUIByteBuffer&) = delete;
    virtual ~CGUIByteBuffer();

    // Sets the size to newSize (negative counts as 0), then reallocates when
    // the capacity rule asks for it. A smaller capacity is taken only when
    // allowShrink is set.
    virtual void Resize(int32_t newSize, bool allowShrink);

    // The capacity that a request for newSize bytes gives, from capacity.
    static int32_t NextCapacity(int32_t newSize, int32_t capacity);

    char* GetData() { return m_data.get(); }
    const char* GetData() const { return m_data.get(); }
    int32_t GetSize() const { return m_size; }
    int32_t GetCapacity() const { return m_capacity; }

protected:
    // Reallocates to the capacity for newSize; keeps the first keepBytes bytes.
    void Reallocate(int32_t newSize, bool allowShrink, int32_t keepBytes);
    // Takes ownership of an array allocated with new[] of the given length.
    void TakeArray(char* array, int32_t length);

private:
    std::unique_ptr<char[]> m_data;
    int32_t m_size = 0;
    int32_t m_capacity = 0;
};
