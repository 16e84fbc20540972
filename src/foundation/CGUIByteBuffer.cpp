#include "foundation/CGUIByteBuffer.h"

#include <algorithm>
#include <cstring>

CGUIByteBuffer::~CGUIByteBuffer() = default;

int32_t CGUIByteBuffer::NextCapacity(int32_t newSize, int32_t capacity)
{
    // 64-bit arithmetic: capacity * 3 overflows 32 bits long before the
    // buffer reaches its size limit.
    const int64_t n = std::max<int32_t>(newSize, 0);
    const int64_t c = capacity;
    const auto roundUp = [](int64_t value) { return ((value - 1) / 4) * 4 + 4; };
    int64_t result = 0;
    if (n > c) {
        const int64_t grown = std::max(c * 3 / 2, n);
        result = grown == 0 ? 0 : roundUp(grown);
    } else if (n >= c * 2 / 3) {
        result = c;
    } else {
        result = n == 0 ? 0 : roundUp(n);
    }
    return static_cast<int32_t>(std::min<int64_t>(result, INT32_MAX));
}

void CGUIByteBuffer::Resize(int32_t newSize, bool allowShrink)
{
    Reallocate(newSize, allowShrink, 0);
}

void CGUIByteBuffer::Reallocate(int32_t newSize, bool allowShrink, int32_t keepBytes)
{
    m_size = std::max<int32_t>(newSize, 0);
    const int32_t capacity = NextCapacity(m_size, m_capacity);
    if (capacity == m_capacity || (capacity < m_capacity && !allowShrink)) {
        return;
    }
    std::unique_ptr<char[]> data(capacity > 0 ? new char[capacity] : nullptr);
    const int32_t kept = std::min(keepBytes, capacity);
    if (kept > 0 && m_data) {
        std::memcpy(data.get(), m_data.get(), static_cast<size_t>(kept));
    }
    m_data = std::move(data);
    m_capacity = capacity;
}

void CGUIByteBuffer::TakeArray(char* array, int32_t length)
{
    m_data.reset(array);
    m_size = array ? length : 0;
    m_capacity = m_size;
}
