#include "window/CenterWindow.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

TEST(CenterWindow, CentresOnTheScreenWithoutAnOwner)
{
    TestWindow window;
    window.SetSize(CGUISize { 201, 101 });
    ASSERT_TRUE(window.Create(nullptr));
    CenterWindow(window);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(window.GetScreenPosition(), (CGUIPoint { (screenWidth - 201) / 2, (screenHeight - 101) / 2 }));
}

TEST(CenterWindow, CentresOnTheOwner)
{
    TestWindow owner;
    owner.SetPosition(CGUIPoint { 100, 80 });
    owner.SetSize(CGUISize { 400, 300 });
    ASSERT_TRUE(owner.Create(nullptr));
    TestWindow window;
    window.SetSize(CGUISize { 201, 100 });
    ASSERT_TRUE(window.CreateOwned(&owner));
    CenterWindow(window);
    // (400 - 201) / 2 truncates to 99.
    EXPECT_EQ(window.GetScreenPosition(), (CGUIPoint { 199, 180 }));

    // Larger than its owner near the screen's edge: clamped at 0, not negative.
    owner.SetPosition(CGUIPoint { 0, 0 });
    window.SetSize(CGUISize { 600, 500 });
    CenterWindow(window);
    EXPECT_EQ(window.GetScreenPosition(), (CGUIPoint { 0, 0 }));
}

TEST(CenterWindow, AWindowLargerThanTheScreenGoesToTheOrigin)
{
    TestWindow window;
    window.SetPosition(CGUIPoint { 50, 50 });
    ASSERT_TRUE(window.Create(nullptr));
    window.SetSize(CGUISize { GetSystemMetrics(SM_CXSCREEN) + 100, GetSystemMetrics(SM_CYSCREEN) + 100 });
    ASSERT_GT(window.GetSize().width, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_GT(window.GetSize().height, GetSystemMetrics(SM_CYSCREEN));
    CenterWindow(window);
    EXPECT_EQ(window.GetScreenPosition(), (CGUIPoint { 0, 0 }));
}
