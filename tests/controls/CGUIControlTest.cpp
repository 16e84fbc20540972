#include "CCountingListener.h"
#include "GUITestImage.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {
constexpr CGUIColor kWhite { 255, 255, 255 };
constexpr CGUIColor kBlack { 0, 0, 0 };
constexpr CGUIColor kRed { 255, 0, 0 };
constexpr CGUIColor kBlue { 0, 0, 255 };

std::vector<IGUIControl*> Children(const IGUIControl& control)
{
    std::vector<IGUIControl*> list;
    std::unique_ptr<IGUIControlIterator> it(control.CreateChildIterator());
    while (IGUIControl* child = it->Next()) {
        list.push_back(child);
    }
    return list;
}

struct OpacityCase {
    float opacity;
    CGUIColor content;
    CGUIColor backdrop;
    CGUIColor expected;
    bool halfShape;
};

class CGUIControlOpacityTest : public ::testing::TestWithParam<OpacityCase> { };
} // namespace

// Constant alpha 128 blends an opaque source as s·128/255 + d·127/255; at 1.0
// the content is painted straight into the destination. A translucent control
// leaves the pixels its content does not cover alone.
TEST_P(CGUIControlOpacityTest, BlendsContentWithTheRoundedConstantAlpha)
{
    const OpacityCase& c = GetParam();
    CTestImage image(30, 20, 32);
    image.Fill(c.backdrop);
    CTestControl control({ 10, 10 }, c.content, c.halfShape);
    control.SetOpacity(c.opacity);
    image.Context().OffsetOrigin({ 5, 5 });
    control.GetTreePainter()->Paint(image.Context(), nullptr);
    for (const auto& [x, y] : { std::pair { 5, 5 }, { 9, 14 } }) {
        const CGUIColor pixel = image.At(x, y);
        EXPECT_NEAR(pixel.red, c.expected.red, 1);
        EXPECT_NEAR(pixel.green, c.expected.green, 1);
        EXPECT_NEAR(pixel.blue, c.expected.blue, 1);
    }
    EXPECT_EQ(image.At(4, 4), c.backdrop);
    EXPECT_EQ(image.At(c.halfShape ? 12 : 15, 14), c.backdrop);
}

INSTANTIATE_TEST_SUITE_P(Opacity, CGUIControlOpacityTest,
    ::testing::Values(OpacityCase { 0.5f, kRed, kBlue, { 128, 0, 127 }, false },
        OpacityCase { 1.0f, kRed, kBlue, kRed, false }, OpacityCase { 0.0f, kRed, kBlue, kBlue, false },
        OpacityCase { 0.5f, kWhite, kBlue, { 128, 128, 255 }, true }));

TEST(CGUIControlTest, ChildrenPaintOverTheParentInListOrderClippedToTheirRectangles)
{
    CTestImage image(40, 40, 32);
    image.Fill(kBlack);
    CTestControl root({ 30, 30 }, kWhite);
    auto* first = new CTestControl({ 20, 20 }, kRed);
    auto* second = new CTestControl({ 20, 20 }, kBlue);
    root.AddChild(first, true);
    root.AddChild(second, true);
    second->SetPosition({ 15, 15 });
    root.GetTreePainter()->Paint(image.Context(), nullptr);
    EXPECT_EQ(image.At(5, 5), kRed);
    EXPECT_EQ(image.At(17, 17), kBlue);
    EXPECT_EQ(image.At(31, 31), kBlack);
    EXPECT_EQ(image.At(25, 5), kWhite);
    second->SetVisible(false);
    root.GetTreePainter()->Paint(image.Context(), nullptr);
    EXPECT_EQ(image.At(17, 17), kRed);
}

TEST(CGUIControlTest, OwnedChildrenAreDeletedOnlyWhenTheyLeaveAsOwned)
{
    int deleted = 0;
    {
        CTestControl root({ 10, 10 }), other({ 10, 10 });
        auto* first = new CTestControl({ 1, 1 }, {}, false, &deleted);
        auto* second = new CTestControl({ 1, 1 }, {}, false, &deleted);
        auto* third = new CTestControl({ 1, 1 }, {}, false, &deleted);
        for (CTestControl* child : { first, second, third }) {
            root.AddChild(child, true);
        }
        // Added again: only the owned flag changes.
        root.AddChild(first, false);
        EXPECT_EQ(Children(root), (std::vector<IGUIControl*> { first, second, third }));
        first->BringToFront();
        EXPECT_EQ(Children(root), (std::vector<IGUIControl*> { second, third, first }));
        EXPECT_FALSE(root.RemoveChild(first));
        EXPECT_EQ(first->GetParent(), nullptr);
        EXPECT_TRUE(root.RemoveChild(second));
        EXPECT_EQ(deleted, 1);
        third->SetParent(&other, true);
        EXPECT_EQ(Children(other), (std::vector<IGUIControl*> { third }));
        // A child deleted by its user leaves its parent's list.
        root.AddChild(first, true);
        delete first;
        EXPECT_TRUE(Children(root).empty());
        EXPECT_EQ(deleted, 2);
    }
    EXPECT_EQ(deleted, 3);
}

TEST(CGUIControlTest, ChangesNotifyOnlyWhenTheValueChangesAndHoverDrivesTheVisualState)
{
    CTestControl control({ 10, 10 });
    CCountingListener visibility(control.GetVisibilityNotifier());
    CCountingListener position(control.GetPositionNotifier());
    CCountingListener opacity(control.GetOpacityNotifier());
    CCountingListener enabled(control.GetEnabledNotifier());
    control.SetVisible(true);
    control.SetPosition({ 0, 0 });
    control.Offset({ 0, 0 });
    control.SetOpacity(1.0f);
    control.SetOpacity(2.0f);
    control.SetEnabled(true);
    EXPECT_EQ(visibility.count + position.count + opacity.count + enabled.count, 0);

    control.SetVisible(false);
    control.Offset({ 3, 4 });
    control.SetOpacity(0.25f);
    control.SetOpacity(std::numeric_limits<float>::quiet_NaN());
    control.SetEnabled(false);
    EXPECT_EQ(visibility.count + position.count + opacity.count + enabled.count, 4);
    EXPECT_EQ(control.GetPosition(), (CGUIPoint { 3, 4 }));
    EXPECT_FLOAT_EQ(control.GetOpacity(), 0.25f);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kDisabled);

    control.SetEnabled(true);
    CEventRecorder user;
    control.SetUserMouseListener(&user);
    CCountingListener enterLeave(control.GetEnterLeaveNotifier());
    CCountingListener hover(control.GetHoverNotifier());
    CGUIMouseEvent event;
    event.point = { 4, 6 };
    control.OnMouseEnter(event);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kHovered);
    control.OnMouseHover(event);
    EXPECT_EQ(control.GetHoverPosition(), (CGUIPoint { 4, 6 }));
    control.OnMouseLeave(event);
    EXPECT_EQ(control.GetVisualState().Get(), CGUIVisualState::kNormal);
    EXPECT_EQ(enterLeave.count, 2);
    EXPECT_EQ(hover.count, 1);
    EXPECT_EQ(user.Names(), (std::vector<std::string> { "MouseEnter", "MouseHover", "MouseLeave" }));

    // The cursor is an owned copy, or none.
    EXPECT_EQ(control.GetCursor()->GetHandle(), LoadCursorA(nullptr, IDC_ARROW));
    std::unique_ptr<CGUICursor> cross(LoadSystemCursor(IDC_CROSS));
    control.SetCursor(cross.get());
    EXPECT_EQ(cross->GetShareCount(), 2);
    control.SetCursor(nullptr);
    EXPECT_EQ(control.GetCursor(), nullptr);
    EXPECT_EQ(cross->GetShareCount(), 1);
}
