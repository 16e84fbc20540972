#include "app/CBoolMemberParam.h"
#include "CCountingListener.h"
#include "CDXiMemoryRegistry.h"
#include "app/CDXiPlugin.h"
#include "app/DXiRegistryCodes.h"
#include "params/CGUIParamValueMapping.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// The entry, its parameter set up as the plug-in list does, and a value
// mapping over it as the check box's link uses it.
class BoolMemberParamTest : public testing::Test {
protected:
    BoolMemberParamTest()
        : m_plugin(m_registry, "{Synth}")
        , m_param(m_plugin)
    {
        m_registry.AddKey("MfxSoftSynths\\{Synth}");
        IParamDescriptionEditor& editor = m_param.GetDescriptionEditor();
        editor.SetMin(0);
        editor.SetMax(1.0f);
        editor.SetDefault(0);
        editor.SetKind(0);
        m_link = std::make_unique<CGUIParamValueMapping>(m_param);
        m_linkChanges = std::make_unique<CCountingListener>(m_link->GetPositionNotifier());
    }

    CDXiMemoryRegistry m_registry;
    CDXiPlugin m_plugin;
    CBoolMemberParam m_param;
    std::unique_ptr<CGUIParamValueMapping> m_link;
    std::unique_ptr<CCountingListener> m_linkChanges;
};
} // namespace

TEST_F(BoolMemberParamTest, ZeroAndOnePassThroughTheLinkUnchanged)
{
    EXPECT_EQ(m_param.GetValue(), 1.0f);
    EXPECT_EQ(m_link->GetPosition(), 1.0f);

    m_link->SetPosition(0.0f);
    EXPECT_FALSE(m_plugin.IsMidiEnabled());
    EXPECT_EQ(m_param.GetValue(), 0.0f);
    EXPECT_EQ(m_link->GetPosition(), 0.0f);
    EXPECT_TRUE(m_registry.HasKey("MfxSoftSynths\\_Disabled_{Synth}"));

    m_link->SetPosition(1.0f);
    EXPECT_TRUE(m_plugin.IsMidiEnabled());
    EXPECT_EQ(m_link->GetPosition(), 1.0f);
    EXPECT_EQ(m_linkChanges->count, 2);
}

TEST_F(BoolMemberParamTest, AssigningTheCachedValueChangesNothingAndStaysSilent)
{
    CCountingListener values(m_param.GetValueNotifier());
    m_registry.SetRecording(true);
    m_link->SetPosition(m_link->GetPosition());
    EXPECT_EQ(values.count, 1); // the parameter always announces an assignment
    EXPECT_EQ(m_linkChanges->count, 0);
    EXPECT_TRUE(m_registry.GetCalls().empty());
}

TEST_F(BoolMemberParamTest, FailedSwitchLeavesTheLinkSilent)
{
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Open, 1, DXiRegistryCodes::kAccessDenied);
    m_link->SetPosition(0.0f);
    EXPECT_TRUE(m_plugin.IsMidiEnabled());
    EXPECT_EQ(m_link->GetPosition(), 1.0f);
    EXPECT_EQ(m_linkChanges->count, 0);
    EXPECT_EQ(m_registry.GetErrorBoxes().size(), 1u);
}

TEST_F(BoolMemberParamTest, ChangeBracketFiresOnlyOnRealTransitions)
{
    CCountingListener opened(m_param.GetChangeOpenedNotifier());
    CCountingListener closed(m_param.GetChangeClosedNotifier());
    m_param.CloseChange();
    m_param.OpenChange();
    m_param.OpenChange();
    EXPECT_TRUE(m_param.IsChangeOpen());
    m_param.CloseChange();
    m_param.CloseChange();
    EXPECT_FALSE(m_param.IsChangeOpen());
    EXPECT_EQ(opened.count, 1);
    EXPECT_EQ(closed.count, 1);
}
