#pragma once

#include "graphics/CGUIRect.h"
#include "layout/IGUILayoutItem.h"

#include <ostream>

// A layout item of fixed preferred size that records what the layout did to
// it, and counts its own destruction so that ownership can be checked.
class CLayoutTestItem : public IGUILayoutItem {
public:
    explicit CLayoutTestItem(CGUISize size, int* destroyed = nullptr)
        : size(size)
        , m_destroyed(destroyed ? destroyed : &m_uncounted)
    {
    }
    ~CLayoutTestItem() override { ++*m_destroyed; }

    void SetSize(CGUISize newSize) override
    {
        size = newSize;
        ++setSizeCalls;
    }
    void UpdatePreferredSize() override { ++updateCalls; }
    void SetPosition(CGUIPoint newPosition) override { position = newPosition; }
    CGUISize GetSize() override { return size; }

    CGUISize size;
    CGUIPoint position { -1000, -1000 };
    int setSizeCalls = 0;
    int updateCalls = 0;

private:
    int m_uncounted = 0;
    int* m_destroyed;
};

inline void PrintTo(const CGUIPoint& point, std::ostream* os)
{
    *os << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const CGUISize& size, std::ostream* os)
{
    *os << size.width << " x " << size.height;
}

inline void PrintTo(const CGUIRect& rect, std::ostream* os)
{
    *os << "(" << rect.x << ", " << rect.y << ") " << rect.width << " x " << rect.height;
}
