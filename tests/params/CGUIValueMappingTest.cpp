#include "params/CGUIParamValueMapping.h"
#include "params/CParamDescription.h"
#include "params/IParamFunction.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {
class CCountingListener final : public IGUIListener {
public:
    void OnNotify() override { ++calls; }
    int calls = 0;
};

CParamDescription MakeDescription(int kind, float min, float max)
{
    return CParamDescription("p", kind, min, max, min, nullptr, nullptr, nullptr, false);
}

// A plain parameter for binding a mapping to.
class CTestParam final : public IParam {
public:
    CTestParam(int kind, float min, float max)
        : m_description(MakeDescription(kind, min, max))
    {
    }
    IParamDescription& GetDescription() override { return m_description; }
    CParamDescription& GetEditor() { return m_description; }
    float GetValue() const override { return m_value; }
    void SetValue(float value) override
    {
        m_value = value;
        m_valueChanged.Notify();
    }
    void OpenChange() override
    {
        if (!m_open) {
            m_open = true;
            m_opened.Notify();
        }
    }
    void CloseChange() override
    {
        if (m_open) {
            m_open = false;
            m_closed.Notify();
        }
    }
    bool IsChangeOpen() const override { return m_open; }
    CGUINotifier& GetValueNotifier() override { return m_valueChanged; }
    CGUINotifier& GetChangeOpenedNotifier() override { return m_opened; }
    CGUINotifier& GetChangeClosedNotifier() override { return m_closed; }

private:
    CParamDescription m_description;
    float m_value = 0.0f;
    bool m_open = false;
    CGUINotifier m_valueChanged;
    CGUINotifier m_opened;
    CGUINotifier m_closed;
};
} // namespace

TEST(CGUIValueMapping, LinearContinuous)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    EXPECT_EQ(mapping.GetStepCount(), -1);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(2.5f, true), 0.25f);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.25f), 2.5f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(12.0f, false), 1.2f);
    EXPECT_EQ(mapping.PositionFromValue(12.0f, true), 1.0f);
}

TEST(CGUIValueMapping, IntegerKindSnapsToItsSteps)
{
    CParamDescription description = MakeDescription(1, 0.0f, 4.0f);
    CGUIValueMapping mapping(description);
    EXPECT_EQ(mapping.GetStepCount(), 5);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(1.0f, true), 0.25f);
    EXPECT_EQ(mapping.ValueFromPosition(0.3f), 1.0f);
    EXPECT_EQ(mapping.ValueFromPosition(0.9f), 4.0f);

    CParamDescription symmetric = MakeDescription(1, -5.0f, 5.0f);
    CGUIValueMapping rounding(symmetric);
    rounding.SetStepCount(-1);
    EXPECT_EQ(rounding.GetStepCount(), 11);
    EXPECT_EQ(rounding.ValueFromPosition(0.0f), -5.0f);
    EXPECT_EQ(rounding.ValueFromPosition(0.45f), 0.0f);
}

TEST(CGUIValueMapping, TwoStateKindsSnapAtTheMidpoint)
{
    for (int kind : { 0, 3 }) {
        SCOPED_TRACE(kind);
        CParamDescription unit = MakeDescription(kind, 0.0f, 1.0f);
        CGUIValueMapping mapping(unit);
        EXPECT_EQ(mapping.GetStepCount(), 2);
        EXPECT_EQ(mapping.ValueFromPosition(0.6f), 1.0f);
        EXPECT_EQ(mapping.ValueFromPosition(0.4f), 0.0f);
        EXPECT_EQ(mapping.PositionFromValue(1.0f, true), 1.0f);
        EXPECT_EQ(mapping.PositionFromValue(0.0f, true), 0.0f);

        CParamDescription offset = MakeDescription(kind, 10.0f, 20.0f);
        CGUIValueMapping shifted(offset);
        EXPECT_EQ(shifted.ValueFromPosition(0.0f), 10.0f);
        EXPECT_EQ(shifted.ValueFromPosition(1.0f), 20.0f);
    }
}

TEST(CGUIValueMapping, CurvesAndInversion)
{
    CParamDescription description = MakeDescription(2, 0.0f, 1.0f);
    CGUIValueMapping mapping(description);
    mapping.SetCurve(8);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.5f), 0.25f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(0.25f, true), 0.5f);
    for (int curve : { -1, 3, 6, 9, 13 }) {
        mapping.SetCurve(curve);
        EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.3f), 0.3f) << curve;
    }
    for (int k = 0; k < CGUIValueMapping::s_curveCount; ++k) {
        EXPECT_EQ(CGUIValueMapping::GetCurvePositionToValue(k), CGUIValueMapping::GetCurveValueToPosition(12 - k));
        const float mid = CGUIValueMapping::GetCurvePositionToValue(k)->Evaluate(0.5f);
        EXPECT_FLOAT_EQ(CGUIValueMapping::GetCurveValueToPosition(k)->Evaluate(mid), 0.5f) << k;
    }

    mapping.SetCurve(6);
    CCountingListener inversion;
    mapping.GetInversionNotifier().AddListener(&inversion);
    mapping.SetInverted(true);
    mapping.SetInverted(true);
    EXPECT_EQ(inversion.calls, 1);
    EXPECT_EQ(mapping.PositionFromValue(0.0f, true), 1.0f);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.25f), 0.75f);
}

TEST(CGUIValueMapping, LogarithmicRanges)
{
    CParamDescription description = MakeDescription(2, 20.0f, 2000.0f);
    CGUIValueMapping mapping(description);
    mapping.SetLogarithmic(true);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.5f), 200.0f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(200.0f, true), 0.5f);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(1.0f), 2000.0f);

    description.SetMin(0.0f);
    EXPECT_EQ(mapping.NormalizeValue(500.0f), 0.0f);
    EXPECT_EQ(mapping.ValueFromPosition(0.7f), 0.0f);
}

TEST(CGUIValueMapping, ZoomPanAndVisibleSteps)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    CCountingListener zoom;
    mapping.GetZoomNotifier().AddListener(&zoom);
    mapping.SetZoom(0.5f);
    EXPECT_EQ(mapping.GetZoom(), 1.0f);
    mapping.SetZoom(2.0f);
    mapping.SetZoom(2.0f);
    EXPECT_EQ(zoom.calls, 2);
    mapping.SetPan(0.5f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(5.0f, false), 0.5f);
    EXPECT_FLOAT_EQ(mapping.ValueFromPosition(0.5f), 5.0f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(0.0f, false), -0.5f);

    EXPECT_EQ(mapping.GetFullStepCount(), -1.0f);
    mapping.SetStepCount(5);
    EXPECT_EQ(mapping.GetVisibleStepCount(), 5);
    mapping.SetStepsIgnoreZoom(false);
    EXPECT_EQ(mapping.GetVisibleStepCount(), 9);
    EXPECT_FLOAT_EQ(mapping.GetFullStepCount(), 5.0f);
    mapping.SetZoom(1e30f);
    EXPECT_EQ(mapping.GetVisibleStepCount(), INT_MAX);
}

TEST(CGUIValueMapping, StepCountRules)
{
    CParamDescription description = MakeDescription(1, 0.0f, 4.0f);
    CGUIValueMapping mapping(description);
    CCountingListener changes;
    mapping.GetMappingNotifier().AddListener(&changes);
    const struct {
        int request;
        int stored;
    } cases[] = { { 10, 5 }, { 3, 3 }, { 3, 3 }, { 0, 1 }, { -7, 5 } };
    for (const auto& c : cases) {
        mapping.SetStepCount(c.request);
        EXPECT_EQ(mapping.GetStepCount(), c.stored) << c.request;
    }
    EXPECT_EQ(changes.calls, 3);
    EXPECT_EQ(mapping.ValueFromPosition(0.9f), 4.0f);

    description.SetKind(2);
    mapping.SetStepCount(-7);
    EXPECT_EQ(mapping.GetStepCount(), -1);
    mapping.SetStepCount(0);
    EXPECT_EQ(mapping.GetStepCount(), 1);
    EXPECT_EQ(mapping.ValueFromPosition(0.9f), 0.0f);
    mapping.ResetStepCount();
    EXPECT_EQ(mapping.GetStepCount(), -1);

    description.SetKind(1);
    description.SetMax(1e38f);
    EXPECT_EQ(mapping.GetStepCount(), 5);
    mapping.ResetStepCount();
    EXPECT_EQ(mapping.GetStepCount(), INT_MAX);
}

TEST(CGUIValueMapping, FollowsItsDescription)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    CCountingListener changes;
    mapping.GetMappingNotifier().AddListener(&changes);
    description.SetMax(20.0f);
    EXPECT_GE(changes.calls, 1);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(5.0f, true), 0.25f);
    description.SetKind(1);
    EXPECT_EQ(mapping.GetStepCount(), 21);
    description.SetMax(0.0f);
    EXPECT_EQ(mapping.PositionFromValue(0.0f, true), 0.0f);
}

TEST(CGUIParamValueMapping, PositionFollowsTheParameter)
{
    CTestParam param(2, 0.0f, 10.0f);
    CGUIParamValueMapping mapping(param);
    CCountingListener moved;
    mapping.GetPositionNotifier().AddListener(&moved);
    param.SetValue(5.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.5f);
    param.SetValue(5.0f);
    EXPECT_EQ(moved.calls, 1);
    param.GetEditor().SetMax(20.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.25f);
    EXPECT_EQ(moved.calls, 2);

    mapping.SetPosition(2.0f);
    EXPECT_EQ(param.GetValue(), 20.0f);
    EXPECT_EQ(mapping.GetPosition(), 1.0f);
}

TEST(CGUIParamValueMapping, SwitchesParametersAndRelaysChangeBrackets)
{
    CTestParam first(2, 0.0f, 10.0f);
    CTestParam second(1, 0.0f, 4.0f);
    CGUIParamValueMapping mapping(first);
    CCountingListener opened;
    CCountingListener closed;
    mapping.GetChangeOpenedNotifier().AddListener(&opened);
    mapping.GetChangeClosedNotifier().AddListener(&closed);
    first.OpenChange();
    first.CloseChange();

    mapping.SetParameter(second);
    EXPECT_EQ(mapping.GetDescription(), &second.GetDescription());
    EXPECT_EQ(mapping.GetStepCount(), 5);
    first.SetValue(10.0f);
    first.OpenChange();
    EXPECT_EQ(mapping.GetPosition(), 0.0f);
    second.SetValue(3.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.75f);
    second.OpenChange();
    EXPECT_EQ(opened.calls, 2);
    EXPECT_EQ(closed.calls, 1);
}

// A check box's parameter: described as continuous 0..0 first, then edited
// into a two-state 0..1 parameter; 0 and 1 pass unchanged both ways.
TEST(CGUIParamValueMapping, CheckBoxParameterPassesZeroAndOne)
{
    CTestParam param(2, 0.0f, 0.0f);
    CGUIParamValueMapping mapping(param);
    param.GetEditor().SetMin(0.0f);
    param.GetEditor().SetMax(1.0f);
    param.GetEditor().SetDefault(0.0f);
    param.GetEditor().SetKind(0);
    EXPECT_EQ(mapping.GetStepCount(), 2);
    for (float value : { 0.0f, 1.0f }) {
        param.SetValue(value);
        EXPECT_EQ(mapping.GetPosition(), value);
        mapping.SetPosition(value);
        EXPECT_EQ(param.GetValue(), value);
    }
}
