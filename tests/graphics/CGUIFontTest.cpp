#include "graphics/CGUIFont.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

LOGFONTA Describe(HGDIOBJ font)
{
    LOGFONTA description {};
    EXPECT_EQ(GetObjectA(font, sizeof description, &description), static_cast<int>(sizeof description));
    return description;
}

// Angles in tenths of a degree (saturated, non-finite ignored), face names cut
// to the native length, qualities mapped both ways; only changes notify.
TEST(CGUIFontDescription, MapsToTheNativeDescriptionAndNotifiesChanges)
{
    CGUIFontDescription description;
    CCountingListener listener(description.GetChangedNotifier());
    EXPECT_EQ(description.GetDescription().lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(description.GetDescription().lfQuality, ANTIALIASED_QUALITY);
    EXPECT_STREQ(description.GetFaceName(), "");
    description.SetWeight(700);
    description.SetWeight(700);
    description.SetItalic(true);
    description.SetItalic(true);
    description.SetQuality(1); // already anti-aliased
    description.SetFaceName("0123456789012345678901234567890123456789");
    description.SetFaceName("0123456789012345678901234567890123456789");
    EXPECT_STREQ(description.GetFaceName(), "0123456789012345678901234567890");
    description.SetAngle(12.34f);
    EXPECT_EQ(description.GetDescription().lfEscapement, 123);
    description.SetAngle(90.0f);
    EXPECT_EQ(description.GetDescription().lfOrientation, 900);
    EXPECT_FLOAT_EQ(description.GetAngle(), 90.0f);
    EXPECT_EQ(listener.count, 5);
    for (const float angle : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() }) {
        description.SetAngle(angle);
    }
    EXPECT_EQ(listener.count, 5) << "a non-finite angle changes nothing";
    description.SetAngle(1e30f);
    EXPECT_EQ(description.GetDescription().lfEscapement, std::numeric_limits<LONG>::max());
    description.SetFaceName(nullptr);
    EXPECT_STREQ(description.GetFaceName(), "");

    const struct {
        int32_t set;
        BYTE stored;
        int32_t read;
    } qualities[] = { { 1, ANTIALIASED_QUALITY, 1 }, { 2, CLEARTYPE_QUALITY, 2 }, { 3, NONANTIALIASED_QUALITY, 3 },
        { 0, DEFAULT_QUALITY, 0 }, { 9, DEFAULT_QUALITY, 0 } };
    for (const auto& c : qualities) {
        description.SetQuality(c.set);
        EXPECT_EQ(description.GetDescription().lfQuality, c.stored) << c.set;
        EXPECT_EQ(description.GetQuality(), c.read) << c.set;
    }
}

TEST(CGUIFont, HandleIsRemadeOnlyAfterAChangeAndClonesHaveTheirOwn)
{
    CGUIFont font;
    font.SetFaceName("Tahoma");
    const HGDIOBJ first = font.GetHandle();
    EXPECT_EQ(font.GetHandle(), first);
    font.SetWeight(FW_BOLD);
    const HGDIOBJ second = font.GetHandle();
    EXPECT_EQ(Describe(second).lfWeight, FW_BOLD);
    EXPECT_EQ(font.GetHandle(), second);

    CGUIFont* clone = font.Clone();
    EXPECT_NE(clone->GetHandle(), second);
    EXPECT_EQ(Describe(clone->GetHandle()).lfWeight, FW_BOLD);
    delete clone;
    EXPECT_EQ(Describe(font.GetHandle()).lfWeight, FW_BOLD) << "the clone's handle was its own";

    IGUIGraphicsObject& stock = GetDefaultFont();
    EXPECT_EQ(stock.GetHandle(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(&GetDefaultFont(), &stock);
    IGUIGraphicsObject* stockClone = stock.Clone();
    EXPECT_NE(stockClone->GetHandle(), stock.GetHandle());
    delete stockClone;
}

TEST(CGUIFont, AttachReadsTheDescriptionAndDetachHandsTheFontBack)
{
    LOGFONTA description {};
    description.lfHeight = -20;
    description.lfItalic = 1;
    std::strcpy(description.lfFaceName, "Tahoma");
    const HFONT native = CreateFontIndirectA(&description);
    {
        CGUIFont font(native);
        EXPECT_EQ(font.GetHeight(), -20);
        EXPECT_TRUE(font.IsItalic());
        EXPECT_STREQ(font.GetFaceName(), "Tahoma");
        EXPECT_EQ(font.Detach(), native);
        EXPECT_EQ(font.GetHandle(), nullptr);
    }
    EXPECT_EQ(GetObjectType(native), static_cast<DWORD>(OBJ_FONT)) << "a detached font is the caller's";
    DeleteObject(native);
}

TEST(CGUIFont, CopyFromAndAssignTakeTheOtherDescription)
{
    CGUIFont source;
    source.SetFaceName("Tahoma");
    source.SetHeight(-17);
    source.SetUnderline(true);
    source.SetAngle(45.0f);
    CGUIFont copied;
    copied.CopyFrom(source);
    EXPECT_EQ(copied.GetHeight(), -17);
    EXPECT_TRUE(copied.IsUnderline());
    EXPECT_NE(copied.GetHandle(), source.GetHandle());

    CGUIFont assigned;
    CCountingListener listener(assigned.GetChangedNotifier());
    assigned.Assign(static_cast<const CGUIFontDescription*>(&source));
    EXPECT_STREQ(assigned.GetFaceName(), "Tahoma");
    EXPECT_FLOAT_EQ(assigned.GetAngle(), 45.0f);
    EXPECT_EQ(listener.count, 4) << "angle, face, height and underline changed";
    EXPECT_EQ(Describe(assigned.GetHandle()).lfHeight, -17);

    CGUIFont empty;
    copied.CopyFrom(empty);
    EXPECT_EQ(copied.GetHeight(), 0) << "a font without a native font copies the defaults";
}

} // namespace
