#include "graphics/CGUICursor.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool IsUsable(HCURSOR cursor)
{
    ICONINFO info {};
    if (!GetIconInfo(cursor, &info)) {
        return false;
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
    return true;
}

// Clones share the record (and say so); the last sharer of a system cursor
// leaves it usable.
TEST(CGUICursor, ClonesShareASystemCursorThatOutlivesThem)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const std::unique_ptr<CGUICursor> cursor(LoadSystemCursor(IDC_ARROW));
    EXPECT_EQ(cursor->GetHandle(), arrow);
    EXPECT_EQ(cursor->GetShareCount(), 1);
    CCountingListener listener(*cursor->GetSharedBitmap());
    {
        const std::unique_ptr<CGUICursor> clone(cursor->Clone());
        EXPECT_EQ(clone->GetHandle(), arrow);
        EXPECT_EQ(cursor->GetShareCount(), 2);
    }
    EXPECT_EQ(listener.count, 2);
    EXPECT_EQ(cursor->GetShareCount(), 1);
    delete LoadSystemCursor(IDC_ARROW);
    EXPECT_TRUE(IsUsable(arrow));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
}

TEST(CGUICursor, SetHandleStartsANewRecordAndDetachDropsIt)
{
    CGUICursor cursor(LoadCursorA(nullptr, IDC_ARROW));
    const std::unique_ptr<CGUICursor> clone(cursor.Clone());
    cursor.SetHandle(LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(cursor.GetShareCount(), 1);
    EXPECT_EQ(clone->GetShareCount(), 1);
    EXPECT_EQ(clone->GetHandle(), LoadCursorA(nullptr, IDC_ARROW));

    CGUIAttachedCursor attached(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(attached.Detach(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(attached.GetHandle(), nullptr);
    EXPECT_EQ(attached.GetShareCount(), 0);
    const std::unique_ptr<CGUICursor> empty(attached.Clone());
    EXPECT_EQ(empty->GetHandle(), nullptr);
    EXPECT_EQ(empty->GetShareCount(), 1);
}

} // namespace
