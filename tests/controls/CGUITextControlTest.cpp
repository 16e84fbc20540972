#include "controls/CGUITextControl.h"
#include "ControlTestSupport.h"
#include "GUITestImage.h"
#include "window/CGUIDialogWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kLongText = "The quick brown fox jumps over the lazy dog and keeps on running";

// Measures text with the stock GUI font straight through GDI.
SIZE MeasureWithStockFont(const char* text, int width, UINT flags)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size {};
    if ((flags & DT_WORDBREAK) == 0) {
        GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    } else {
        RECT rect { 0, 0, width, 0 };
        DrawTextA(dc, text, -1, &rect, flags | DT_CALCRECT);
        size = SIZE { rect.right, rect.bottom };
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
}

CGUIColor WindowColor()
{
    const COLORREF color = GetSysColor(COLOR_WINDOW);
    return { GetRValue(color), GetGValue(color), GetBValue(color) };
}

TEST(CGUITextControlTest, DefaultSettingsTakeTheOneLineSizeOfTheText)
{
    CGUITextControl control;
    const SIZE empty = MeasureWithStockFont("", 0, 0);
    EXPECT_EQ(control.GetSize(), (CGUISize { empty.cx, empty.cy }));
    control.SetText("DXi Plug-in Name");
    const SIZE expected = MeasureWithStockFont("DXi Plug-in Name", 0, 0);
    EXPECT_GT(expected.cx, 0);
    EXPECT_EQ(control.GetSize(), (CGUISize { expected.cx, expected.cy }));
    EXPECT_STREQ(control.GetText(), "DXi Plug-in Name");
}

TEST(CGUITextControlTest, FixedWidthWithWordBreakGrowsTheHeightToTheWrappedText)
{
    CGUITextControl control;
    CGUITextPainter& painter = control.GetTextPainter();
    painter.SetFormat(
        CGUITextFormat { CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    painter.SetAutoWidth(false);
    painter.FitToText();
    painter.SetAutoHeight(true);
    painter.FitToText();
    control.SetSize({ 120, 30 });
    control.SetText(kLongText);

    const SIZE oneLine = MeasureWithStockFont("X", 0, 0);
    const SIZE wrapped = MeasureWithStockFont(kLongText, 120, DT_WORDBREAK | DT_VCENTER);
    EXPECT_EQ(control.GetSize(), (CGUISize { 120, wrapped.cy }));
    EXPECT_GE(control.GetSize().height, 3 * oneLine.cy);
}

TEST(CGUITextControlTest, BothSwitchesOffKeepTheSize)
{
    CGUITextControl control;
    control.GetTextPainter().SetAutoWidth(false);
    control.GetTextPainter().SetAutoHeight(false);
    control.SetSize({ 50, 20 });
    control.SetText(kLongText);
    EXPECT_EQ(control.GetSize(), (CGUISize { 50, 20 }));
}

TEST(CGUITextControlTest, SettingTheSameTextNotifiesAndRefits)
{
    CGUITextControl control;
    control.SetText("Close");
    const CGUISize fitted = control.GetSize();
    CNotifyCounter model(control.GetTextModel().GetNotifier());
    CNotifyCounter changed(control.GetTextPainter().GetChangeNotifier());
    CNotifyCounter size(control.GetTextPainter().GetSizeNotifier());
    control.SetSize({ 3, 3 });
    control.SetText("Close");
    EXPECT_EQ(model.count, 1);
    EXPECT_EQ(changed.count, 1);
    EXPECT_EQ(size.count, 2);
    EXPECT_EQ(control.GetSize(), fitted);
}

TEST(CGUITextControlTest, BoldFontRefitsToTheWiderText)
{
    CGUITextControl control;
    control.SetText("MIDI Enabled");
    const CGUISize normal = control.GetSize();
    CGUIFont bold(control.GetTextPainter().GetFont());
    bold.SetWeight(FW_BOLD);
    control.GetTextPainter().SetFont(bold);
    EXPECT_EQ(control.GetTextPainter().GetFont().GetWeight(), FW_BOLD);
    EXPECT_GT(control.GetSize().width, normal.width);
}

struct BackgroundCase {
    bool transparent;
    const char* name;
};

class CGUITextControlPaintTest : public ::testing::TestWithParam<BackgroundCase> { };

TEST_P(CGUITextControlPaintTest, OpaqueLabelFillsItsRectangleWithTheWindowColour)
{
    const CGUIColor backdrop { 1, 2, 3 };
    const CGUIColor text { 200, 0, 0 };
    CGUITextControl control;
    control.GetTextPainter().SetTextColor(text);
    control.GetTextPainter().SetTransparentBackground(GetParam().transparent);
    control.SetText("Wg");
    control.SetSize({ 60, 30 });
    CTestImage image(80, 40, 32);
    image.Fill(backdrop);
    image.Context().OffsetOrigin({ 10, 5 });
    control.GetTreePainter()->Paint(image.Context(), nullptr);
    image.Context().OffsetOrigin({ -10, -5 });

    const CGUIColor fill = GetParam().transparent ? backdrop : WindowColor();
    for (const auto& [x, y] : { std::pair { 10, 5 }, { 69, 5 }, { 10, 34 }, { 69, 34 }, { 12, 20 } }) {
        SCOPED_TRACE(::testing::Message() << x << "," << y);
        EXPECT_EQ(image.At(x, y), fill);
    }
    EXPECT_EQ(image.At(9, 5), backdrop);
    EXPECT_EQ(image.At(70, 34), backdrop);
    int textPixels = 0;
    for (int y = 5; y < 35; ++y) {
        for (int x = 10; x < 70; ++x) {
            textPixels += image.At(x, y) == text ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 0);
}

INSTANTIATE_TEST_SUITE_P(Background, CGUITextControlPaintTest,
    ::testing::Values(BackgroundCase { false, "Opaque" }, BackgroundCase { true, "Transparent" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CGUITextControlTest, HostedLabelFollowsTheApplicationsSetUp)
{
    auto* control = new CGUITextControl;
    CGUIControlHostView view(control);
    control->SetText("Click on a check box to enable or disable the corresponding DXi MIDI capabilities.");
    CGUITextPainter& painter = control->GetTextPainter();
    painter.SetFormat(
        CGUITextFormat { CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    painter.SetAutoWidth(false);
    painter.FitToText();
    painter.SetAutoHeight(true);
    painter.FitToText();
    control->SetSize({ 400, 30 });
    CGUIDialogWindow parent;
    ASSERT_TRUE(parent.CreateDialog(nullptr, 0));
    ASSERT_TRUE(view.CreateChild(parent.GetHandle(), false, false));
    EXPECT_EQ(view.GetClientSize(), (CGUISize { 400, 30 }));
    EXPECT_EQ(view.GetSize(), (CGUISize { 400, 30 }));

    // The view paints its label: the window colour first, then the text.
    CTestImage image(400, 30, 32);
    image.Fill({ 1, 2, 3 });
    SendMessageA(view.GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ(image.At(0, 0), WindowColor());
    EXPECT_EQ(image.At(399, 29), WindowColor());
    int textPixels = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 400; ++x) {
            textPixels += image.At(x, y) == WindowColor() ? 0 : 1;
        }
    }
    EXPECT_GT(textPixels, 0);
}

} // namespace
