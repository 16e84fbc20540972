#include "controls/CGUITextControl.h"
#include "CCountingListener.h"
#include "GUITestImage.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {
constexpr const char* kLongText = "The quick brown fox jumps over the lazy dog and keeps on running";

// Measures text with the stock GUI font straight through GDI, on one line or
// broken into lines of width.
CGUISize MeasureWithStockFont(const char* text, int width = 0)
{
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    RECT rect { 0, 0, width, 0 };
    if (width > 0) {
        DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
        size = SIZE { width, rect.bottom };
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return { size.cx, size.cy };
}

CGUIColor WindowColor()
{
    const COLORREF color = GetSysColor(COLOR_WINDOW);
    return { GetRValue(color), GetGValue(color), GetBValue(color) };
}

// Wraps the text at a fixed width and fits the height, as the application does.
void SetUpWrapping(CGUITextControl& control, int32_t width)
{
    CGUITextPainter& painter = control.GetTextPainter();
    painter.SetFormat(
        CGUITextFormat { CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    painter.SetAutoWidth(false);
    painter.FitToText();
    painter.SetAutoHeight(true);
    painter.FitToText();
    control.SetSize({ width, 30 });
}

int CountPixelsNotOf(CTestImage& image, CGUIRect area, CGUIColor color)
{
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            count += image.At(x, y) == color ? 0 : 1;
        }
    }
    return count;
}
} // namespace

TEST(CGUITextControlTest, TheSizeFollowsTheTextAsTheSwitchesSay)
{
    CGUITextControl control;
    EXPECT_EQ(control.GetSize(), MeasureWithStockFont(""));
    control.SetText("Close");
    const CGUISize fitted = control.GetSize();
    EXPECT_EQ(fitted, MeasureWithStockFont("Close"));
    // The same text again still notifies and refits.
    CCountingListener model(control.GetTextModel().GetNotifier());
    CCountingListener changed(control.GetTextPainter().GetChangeNotifier());
    CCountingListener size(control.GetTextPainter().GetSizeNotifier());
    control.SetSize({ 3, 3 });
    control.SetText("Close");
    EXPECT_EQ(model.count + changed.count, 2);
    EXPECT_EQ(size.count, 2);
    EXPECT_EQ(control.GetSize(), fitted);

    CGUIFont bold(control.GetTextPainter().GetFont());
    bold.SetWeight(FW_BOLD);
    control.GetTextPainter().SetFont(bold);
    EXPECT_GT(control.GetSize().width, fitted.width);

    // A fixed width with word break grows the height; no switch keeps the size.
    CGUITextControl wrapped, fixed;
    SetUpWrapping(wrapped, 120);
    wrapped.SetText(kLongText);
    EXPECT_EQ(wrapped.GetSize(), MeasureWithStockFont(kLongText, 120));

    fixed.GetTextPainter().SetAutoWidth(false);
    fixed.GetTextPainter().SetAutoHeight(false);
    fixed.SetSize({ 50, 20 });
    fixed.SetText(kLongText);
    EXPECT_EQ(fixed.GetSize(), (CGUISize { 50, 20 }));
}

class CGUITextControlPaintTest : public ::testing::TestWithParam<bool> { };

TEST_P(CGUITextControlPaintTest, AnOpaqueLabelFillsItsRectangleWithTheWindowColour)
{
    const bool transparent = GetParam();
    const CGUIColor backdrop { 1, 2, 3 };
    const CGUIColor text { 200, 0, 0 };
    CGUITextControl control;
    control.GetTextPainter().SetTextColor(text);
    control.GetTextPainter().SetTransparentBackground(transparent);
    control.SetText("Wg");
    control.SetSize({ 60, 30 });
    CTestImage image(80, 40, 32);
    image.Fill(backdrop);
    image.Context().OffsetOrigin({ 10, 5 });
    control.GetTreePainter()->Paint(image.Context(), nullptr);

    const CGUIColor fill = transparent ? backdrop : WindowColor();
    for (const auto& [x, y] : { std::pair { 10, 5 }, { 69, 5 }, { 10, 34 }, { 69, 34 }, { 12, 20 } }) {
        EXPECT_EQ(image.At(x, y), fill) << x << "," << y;
    }
    EXPECT_EQ(image.At(9, 5), backdrop);
    EXPECT_EQ(image.At(70, 34), backdrop);
    EXPECT_GT(CountPixelsNotOf(image, { 10, 5, 60, 30 }, fill), 0);
}

INSTANTIATE_TEST_SUITE_P(OpaqueOrTransparent, CGUITextControlPaintTest, ::testing::Bool());

TEST(CGUITextControlTest, AHostedLabelIsPaintedByItsView)
{
    auto* control = new CGUITextControl;
    control->SetText("Click on a check box to enable or disable the corresponding DXi MIDI capabilities.");
    SetUpWrapping(*control, 400);
    CTestHost host(control);
    EXPECT_EQ(host.view->GetSize(), (CGUISize { 400, 30 }));
    CTestImage image(400, 30, 32);
    image.Fill({ 1, 2, 3 });
    SendMessageA(host.view->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()), PRF_CLIENT);
    EXPECT_EQ(image.At(0, 0), WindowColor());
    EXPECT_EQ(image.At(399, 29), WindowColor());
    EXPECT_GT(CountPixelsNotOf(image, { 0, 0, 400, 30 }, WindowColor()), 0);
}
