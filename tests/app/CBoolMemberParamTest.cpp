#include "app/CBoolMemberParam.h"
#include "CCountingListener.h"
#include "CDXiMemoryRegistry.h"
#include "app/CDXiPlugin.h"
#include "app/DXiRegistryCodes.h"
#include "params/CGUIParamValueMapping.h"

#include <gtest/gtest.h>

// The entry's parameter set up as the plug-in list does, seen through a value
// mapping as the check box's link uses it: 0 and 1 pass unchanged, and only a
// switch that happened moves the link.
TEST(BoolMemberParamTest, LinkMovesOnlyWhenTheInstrumentSwitches)
{
    CDXiMemoryRegistry registry;
    registry.AddKey("MfxSoftSynths\\{Synth}");
    CDXiPlugin plugin(registry, "{Synth}");
    CBoolMemberParam param(plugin);
    IParamDescriptionEditor& editor = param.GetDescriptionEditor();
    editor.SetMin(0);
    editor.SetMax(1.0f);
    editor.SetDefault(0);
    editor.SetKind(0);
    CGUIParamValueMapping link(param);
    CCountingListener linkChanges(link.GetPositionNotifier());
    CCountingListener values(param.GetValueNotifier());
    EXPECT_EQ(link.GetPosition(), 1.0f);

    // The cached value changes nothing; the parameter still announces it.
    registry.StartRecording();
    link.SetPosition(1.0f);
    EXPECT_TRUE(registry.GetCalls().empty());
    EXPECT_EQ(values.count, 1);
    EXPECT_EQ(linkChanges.count, 0);

    registry.FailCall("Open", 1, DXiRegistryCodes::kAccessDenied);
    link.SetPosition(0.0f);
    EXPECT_TRUE(plugin.IsMidiEnabled());
    EXPECT_EQ(link.GetPosition(), 1.0f);
    EXPECT_EQ(linkChanges.count, 0);
    EXPECT_EQ(registry.GetErrorBoxes().size(), 1u);

    for (const float position : { 0.0f, 1.0f }) {
        link.SetPosition(position);
        EXPECT_EQ(plugin.IsMidiEnabled(), position == 1.0f);
        EXPECT_EQ(param.GetValue(), position);
        EXPECT_EQ(link.GetPosition(), position);
        EXPECT_EQ(registry.GetSubKeyNames("MfxSoftSynths"),
            std::vector<std::string> { position == 1.0f ? "{Synth}" : "_Disabled_{Synth}" });
    }
    EXPECT_EQ(linkChanges.count, 2);
}

TEST(BoolMemberParamTest, ChangeBracketFiresOnlyOnRealTransitions)
{
    CDXiMemoryRegistry registry;
    CDXiPlugin plugin(registry, "{Synth}");
    CBoolMemberParam param(plugin);
    CCountingListener opened(param.GetChangeOpenedNotifier());
    CCountingListener closed(param.GetChangeClosedNotifier());
    param.CloseChange();
    param.OpenChange();
    param.OpenChange();
    EXPECT_TRUE(param.IsChangeOpen());
    param.CloseChange();
    param.CloseChange();
    EXPECT_FALSE(param.IsChangeOpen());
    EXPECT_EQ(opened.count, 1);
    EXPECT_EQ(closed.count, 1);
}
