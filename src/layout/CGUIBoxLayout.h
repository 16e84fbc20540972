#pragma once

#include "layout/CGUILayoutEntry.h"
#include "layout/CGUILayoutPlacement.h"
#include "layout/IGUILayoutItem.h"

#include <cstdint>
#include <vector>

// Places its items side by side in a row, one under the other in a column,
// or on top of each other in a stack, with margins on every side and spacing
// between neighbours. Sizes flow bottom-up (UpdatePreferredSize), positions
// top-down (Arrange, or SetPosition when nested in another layout).
class CGUIBoxLayout : public IGUILayoutItem {
public:
    enum class Mode : int32_t { Row = 0, Column = 1, Stack = 2 };

    // marginX and marginY apply on each side; spacing lies between items.
    CGUIBoxLayout(int32_t marginX, int32_t marginY, int32_t spacing, Mode mode);
    CGUIBoxLayout(const CGUIBoxLayout&) = delete;
    CGUIBoxLayout& operator=(const CGUIBoxLayout&) = delete;
    // Destroys the owned items.
    ~CGUIBoxLayout() override;

    // Appends an entry; a null item keeps its place in the list but is
    // skipped. With owned set the layout destroys the item with itself.
    void AddItem(IGUILayoutItem* item, const CGUILayoutPlacement& placement, bool owned);
    int32_t GetEntryCount() const { return static_cast<int32_t>(m_entries.size()); }

    // Where the content goes when the box is larger (or smaller) than its
    // preferred size along a row (horizontal) or a column (vertical); a stack
    // places each item by its own alignment only. Start by default.
    void SetContentAlignment(int32_t horizontal, int32_t vertical);

    // As computed by the last UpdatePreferredSize (or by an arrangement that
    // resized relative items).
    CGUISize GetPreferredSize() const { return m_preferredSize; }
    CGUIPoint GetPosition() const { return m_origin; }

    // Sizes the relative items for a box of the given size and places every
    // item inside it. Uses the preferred size of the last UpdatePreferredSize.
    void Arrange(CGUIPoint origin, CGUISize size);

    void SetSize(CGUISize size) override;
    void UpdatePreferredSize() override;
    // Arranges the content at position with the current size.
    void SetPosition(CGUIPoint position) override;
    CGUISize GetSize() override;

private:
    void ComputePreferredSize(bool updateItems);

    std::vector<CGUILayoutEntry> m_entries;
    int32_t m_marginX;
    int32_t m_marginY;
    int32_t m_spacing;
    Mode m_mode;
    int32_t m_contentHorizontalAlignment = CGUILayoutPlacement::kAlignStart;
    int32_t m_contentVerticalAlignment = CGUILayoutPlacement::kAlignStart;
    CGUISize m_preferredSize;
    CGUIPoint m_origin;
    CGUISize m_size;
};
