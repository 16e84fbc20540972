#include "graphics/CGUICursor.h"

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

TEST(CGUICursor, SystemCursorIsTheOnlySharerOfItsRecord)
{
    const std::unique_ptr<CGUICursor> cursor(LoadSystemCursor(IDC_ARROW));
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetHandle(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(cursor->GetShareCount(), 1);
}

TEST(CGUICursor, ClonesShareAndLeaveTheHandleUsable)
{
    const std::unique_ptr<CGUICursor> cursor(LoadSystemCursor(IDC_ARROW));
    int notified = 0;
    class CListener : public IGUIListener {
    public:
        explicit CListener(int& count)
            : m_count(count)
        {
        }
        void OnNotify() override { ++m_count; }

    private:
        int& m_count;
    } listener(notified);
    cursor->GetSharedBitmap()->AddListener(&listener);
    {
        const std::unique_ptr<CGUICursor> clone(cursor->Clone());
        EXPECT_EQ(clone->GetHandle(), cursor->GetHandle());
        EXPECT_EQ(cursor->GetShareCount(), 2);
    }
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(cursor->GetShareCount(), 1);
    EXPECT_TRUE(IsUsable(cursor->GetHandle()));
    cursor->GetSharedBitmap()->RemoveListener(&listener);
}

TEST(CGUICursor, LastSharerDoesNotDestroyASystemCursor)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    delete LoadSystemCursor(IDC_ARROW);
    EXPECT_TRUE(IsUsable(arrow));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
}

TEST(CGUICursor, SetHandleStartsANewRecord)
{
    CGUICursor cursor(LoadCursorA(nullptr, IDC_ARROW));
    const std::unique_ptr<CGUICursor> clone(cursor.Clone());
    cursor.SetHandle(LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(cursor.GetHandle(), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(cursor.GetShareCount(), 1);
    EXPECT_EQ(clone->GetShareCount(), 1);
    EXPECT_EQ(clone->GetHandle(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST(CGUIAttachedCursor, DetachHandsBackTheHandleAndDropsTheRecord)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    CGUIAttachedCursor attached(arrow);
    EXPECT_EQ(attached.Detach(), arrow);
    EXPECT_EQ(attached.GetHandle(), nullptr);
    EXPECT_EQ(attached.GetShareCount(), 0);
    const std::unique_ptr<CGUICursor> clone(attached.Clone());
    EXPECT_EQ(clone->GetHandle(), nullptr);
    EXPECT_EQ(clone->GetShareCount(), 1);
}

} // namespace
