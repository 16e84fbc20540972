#pragma once

#include <cstdint>

// Read side of an array: its number of elements.
class ICountable {
public:
    virtual int32_t GetCount() const = 0;
    virtual ~ICountable() = default;
};

// Write side of an array: changing its number of elements.
class IResizable {
public:
    virtual void SetCount(int32_t count) = 0;
    virtual ~IResizable() = default;
};
