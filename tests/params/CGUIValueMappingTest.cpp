#include "params/CGUIParamValueMapping.h"
#include "params/CParamDescription.h"
#include "params/IParamFunction.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {
CParamDescription MakeDescription(int kind, float min, float max)
{
    return CParamDescription("p", kind, min, max, min, nullptr, nullptr, nullptr, false);
}

// A plain parameter for binding a mapping to.
class CTestParam final : public IParam {
public:
    CTestParam(int kind, float min, float max)
        : description(MakeDescription(kind, min, max))
    {
    }
    IParamDescription& GetDescription() override { return description; }
    float GetValue() const override { return m_value; }
    void SetValue(float value) override
    {
        m_value = value;
        m_valueChanged.Notify();
    }
    void OpenChange() override { m_opened.Notify(); }
    void CloseChange() override { m_closed.Notify(); }
    bool IsChangeOpen() const override { return false; }
    CGUINotifier& GetValueNotifier() override { return m_valueChanged; }
    CGUINotifier& GetChangeOpenedNotifier() override { return m_opened; }
    CGUINotifier& GetChangeClosedNotifier() override { return m_closed; }
    CParamDescription description;

private:
    float m_value = 0.0f;
    CGUINotifier m_valueChanged, m_opened, m_closed;
};
} // namespace

// Curve 6 is linear; unknown curves fall back to it.
TEST(CGUIValueMapping, PositionsAndValues)
{
    using Pairs = std::vector<std::pair<float, float>>;
    const struct {
        const char* name;
        int kind;
        float min, max;
        int curve;
        bool inverted, logarithmic;
        float zoom, pan;
        int steps;
        Pairs valueToPosition, positionToValue; // positions clamped
    } cases[] = {
        { "linear", 2, 0, 10, 6, false, false, 1, 0, -1, { { 2.5f, 0.25f }, { 12, 1 } }, { { 0.25f, 2.5f } } },
        { "integer", 1, 0, 4, 6, false, false, 1, 0, 5, { { 1, 0.25f } }, { { 0.3f, 1 }, { 0.9f, 4 } } },
        { "integer rounds to nearest", 1, -5, 5, 6, false, false, 1, 0, 11, {}, { { 0, -5 }, { 0.45f, 0 } } },
        { "boolean", 0, 0, 1, 6, false, false, 1, 0, 2, { { 1, 1 }, { 0, 0 } }, { { 0.6f, 1 }, { 0.4f, 0 } } },
        { "two states with offset", 3, 10, 20, 6, false, false, 1, 0, 2, { { 20, 1 } },
            { { 0, 10 }, { 0.4f, 10 }, { 0.6f, 20 }, { 1, 20 } } },
        { "square curve", 2, 0, 1, 8, false, false, 1, 0, -1, { { 0.25f, 0.5f } }, { { 0.5f, 0.25f } } },
        { "unknown curve below", 2, 0, 1, -1, false, false, 1, 0, -1, {}, { { 0.3f, 0.3f } } },
        { "unknown curve above", 2, 0, 1, 13, false, false, 1, 0, -1, {}, { { 0.3f, 0.3f } } },
        { "inverted", 2, 0, 1, 6, true, false, 1, 0, -1, { { 0, 1 } }, { { 0.25f, 0.75f } } },
        { "logarithmic", 2, 20, 2000, 6, false, true, 1, 0, -1, { { 200, 0.5f } }, { { 0.5f, 200 }, { 1, 2000 } } },
        { "logarithmic from zero is flat", 2, 0, 2000, 6, false, true, 1, 0, -1, {}, { { 0.7f, 0 } } },
        { "zoomed and panned", 2, 0, 10, 6, false, false, 2, 0.5f, -1, { { 5, 0.5f } }, { { 0.5f, 5 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CParamDescription description = MakeDescription(c.kind, c.min, c.max);
        CGUIValueMapping mapping(description);
        mapping.SetCurve(c.curve);
        mapping.SetInverted(c.inverted);
        mapping.SetLogarithmic(c.logarithmic);
        mapping.SetPan(c.pan); // before the zoom: the zoom moves the panned view
        mapping.SetZoom(c.zoom);
        EXPECT_EQ(mapping.GetStepCount(), c.steps);
        for (const auto& [value, position] : c.valueToPosition) {
            EXPECT_FLOAT_EQ(mapping.PositionFromValue(value, true), position) << "value " << value;
        }
        for (const auto& [position, value] : c.positionToValue) {
            EXPECT_FLOAT_EQ(mapping.ValueFromPosition(position), value) << "position " << position;
        }
    }
    for (int k = 0; k < CGUIValueMapping::s_curveCount; ++k) {
        EXPECT_EQ(CGUIValueMapping::GetCurvePositionToValue(k), CGUIValueMapping::GetCurveValueToPosition(12 - k));
        const float mid = CGUIValueMapping::GetCurvePositionToValue(k)->Evaluate(0.5f);
        EXPECT_FLOAT_EQ(CGUIValueMapping::GetCurveValueToPosition(k)->Evaluate(mid), 0.5f) << k;
    }
}

TEST(CGUIValueMapping, FollowsItsDescriptionNotifiesChangesOnlyAndKeepsZoomAtLeastOne)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    CCountingListener zoom(mapping.GetZoomNotifier()), inversion(mapping.GetInversionNotifier());
    CCountingListener changes(mapping.GetMappingNotifier());
    description.SetMax(20.0f);
    EXPECT_EQ(changes.count, 1);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(5.0f, true), 0.25f);
    description.SetMax(10.0f);
    for (bool inverted : { true, true, false }) {
        mapping.SetInverted(inverted);
    }
    mapping.SetZoom(0.5f);
    EXPECT_EQ(mapping.GetZoom(), 1.0f);
    mapping.SetZoom(2.0f);
    mapping.SetZoom(2.0f);
    EXPECT_EQ(zoom.count, 2);
    EXPECT_EQ(inversion.count, 2);
    mapping.SetPan(0.5f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(0.0f, false), -0.5f);
    EXPECT_FLOAT_EQ(mapping.PositionFromValue(12.0f, false), 1.9f) << "not clamped";

    EXPECT_EQ(mapping.GetFullStepCount(), -1.0f);
    mapping.SetStepCount(5);
    EXPECT_EQ(mapping.GetVisibleStepCount(), 5);
    mapping.SetStepsIgnoreZoom(false);
    EXPECT_EQ(mapping.GetVisibleStepCount(), 9);
    EXPECT_FLOAT_EQ(mapping.GetFullStepCount(), 5.0f);
    mapping.SetZoom(1e30f);
    EXPECT_EQ(mapping.GetVisibleStepCount(), INT_MAX);
    mapping.SetStepCount(-1);
    description.SetKind(1);
    EXPECT_EQ(mapping.GetStepCount(), 11);
    description.SetMax(0.0f);
    EXPECT_EQ(mapping.PositionFromValue(0.0f, true), 0.0f);
}

TEST(CGUIValueMapping, StepCountsFollowTheKindAndRange)
{
    CParamDescription description = MakeDescription(1, 0.0f, 4.0f);
    CGUIValueMapping mapping(description);
    CCountingListener changes(mapping.GetMappingNotifier());
    constexpr int kReset = INT_MIN;
    const struct {
        int kind;
        float max;
        int request, steps;
        bool notifies;
    } cases[] = { { 1, 4, 10, 5, false }, { 1, 4, 3, 3, true }, { 1, 4, 3, 3, false }, { 1, 4, 0, 1, true },
        { 1, 4, -7, 5, true }, { 2, 4, -7, -1, true }, { 2, 4, 0, 1, true }, { 2, 4, kReset, -1, true },
        { 1, 1e38f, kReset, INT_MAX, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " request " << c.request);
        description.SetKind(c.kind);
        description.SetMax(c.max);
        const int notified = changes.count;
        c.request == kReset ? mapping.ResetStepCount() : mapping.SetStepCount(c.request);
        EXPECT_EQ(mapping.GetStepCount(), c.steps);
        EXPECT_EQ(changes.count - notified, c.notifies ? 1 : 0);
        if (c.steps == 1) {
            EXPECT_EQ(mapping.ValueFromPosition(0.9f), 0.0f);
        }
    }
}

TEST(CGUIParamValueMapping, PositionFollowsTheParameterItWasLastGiven)
{
    CTestParam first(2, 0.0f, 10.0f), second(1, 0.0f, 4.0f);
    CGUIParamValueMapping mapping(first);
    CCountingListener moved(mapping.GetPositionNotifier());
    CCountingListener opened(mapping.GetChangeOpenedNotifier()), closed(mapping.GetChangeClosedNotifier());
    first.SetValue(5.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.5f);
    first.SetValue(5.0f);
    EXPECT_EQ(moved.count, 1);
    first.description.SetMax(20.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.25f);
    EXPECT_EQ(moved.count, 2);
    mapping.SetPosition(2.0f);
    EXPECT_EQ(first.GetValue(), 20.0f);
    EXPECT_EQ(mapping.GetPosition(), 1.0f);
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
    second.SetValue(-4.0f);
    EXPECT_EQ(mapping.GetPosition(), 0.0f) << "clamped";
    second.OpenChange();
    EXPECT_EQ(opened.count, 2);
    EXPECT_EQ(closed.count, 1);
}
