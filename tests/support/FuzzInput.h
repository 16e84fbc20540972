#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Reads typed values off the fuzzer's bytes; past the end every read gives
// zeros and an empty text.
class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool AtEnd() const { return m_position >= m_size; }

    uint8_t Byte() { return AtEnd() ? 0 : m_data[m_position++]; }

    template <class T> T Scalar()
    {
        T value {};
        uint8_t bytes[sizeof(T)] = {};
        for (uint8_t& byte : bytes) {
            byte = Byte();
        }
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    // Up to maxLength bytes, stopping after a NUL (not included).
    std::string Text(size_t maxLength)
    {
        std::string text;
        while (text.size() < maxLength && !AtEnd()) {
            const char c = static_cast<char>(Byte());
            if (c == '\0') {
                break;
            }
            text += c;
        }
        return text;
    }

    template <class T, size_t N> const T& Pick(const T (&choices)[N]) { return choices[Byte() % N]; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
