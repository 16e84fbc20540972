#include "params/CGUIParamValueMapping.h"
#include "params/CParamDescription.h"
#include "params/IParamFunction.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
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
    void OpenChange() override { Bracket(true, m_opened); }
    void CloseChange() override { Bracket(false, m_closed); }
    bool IsChangeOpen() const override { return m_open; }
    CGUINotifier& GetValueNotifier() override { return m_valueChanged; }
    CGUINotifier& GetChangeOpenedNotifier() override { return m_opened; }
    CGUINotifier& GetChangeClosedNotifier() override { return m_closed; }
    CParamDescription description;

private:
    void Bracket(bool open, CGUINotifier& notifier)
    {
        if (m_open != open) {
            m_open = open;
            notifier.Notify();
        }
    }
    float m_value = 0.0f;
    bool m_open = false;
    CGUINotifier m_valueChanged, m_opened, m_closed;
};

struct MappingCase {
    const char* name;
    int kind;
    float min, max;
    std::function<void(CGUIValueMapping&)> setup;
    int steps;
    std::vector<std::pair<float, float>> valueToPosition; // clamped
    std::vector<std::pair<float, float>> positionToValue;
};

void PrintTo(const MappingCase& c, std::ostream* os)
{
    *os << c.name;
}

const auto kNone = [](CGUIValueMapping&) {};
auto Curve(int curve)
{
    return [curve](CGUIValueMapping& m) { m.SetCurve(curve); };
}

const MappingCase kMappingCases[] = {
    { "Linear", 2, 0.0f, 10.0f, kNone, -1, { { 2.5f, 0.25f }, { 12.0f, 1.0f } }, { { 0.25f, 2.5f } } },
    { "Integer", 1, 0.0f, 4.0f, kNone, 5, { { 1.0f, 0.25f } }, { { 0.3f, 1.0f }, { 0.9f, 4.0f } } },
    { "IntegerRoundsToNearest", 1, -5.0f, 5.0f, [](CGUIValueMapping& m) { m.SetStepCount(-1); }, 11, {},
        { { 0.0f, -5.0f }, { 0.45f, 0.0f } } },
    { "Boolean", 0, 0.0f, 1.0f, kNone, 2, { { 1.0f, 1.0f }, { 0.0f, 0.0f } }, { { 0.6f, 1.0f }, { 0.4f, 0.0f } } },
    { "TwoStateWithOffset", 3, 10.0f, 20.0f, kNone, 2, { { 20.0f, 1.0f } },
        { { 0.0f, 10.0f }, { 0.4f, 10.0f }, { 0.6f, 20.0f }, { 1.0f, 20.0f } } },
    { "SquareCurve", 2, 0.0f, 1.0f, Curve(8), -1, { { 0.25f, 0.5f } }, { { 0.5f, 0.25f } } },
    { "UnknownCurveBelow", 2, 0.0f, 1.0f, Curve(-1), -1, {}, { { 0.3f, 0.3f } } },
    { "UnknownCurveAbove", 2, 0.0f, 1.0f, Curve(13), -1, {}, { { 0.3f, 0.3f } } },
    { "LinearCurve", 2, 0.0f, 1.0f, Curve(6), -1, {}, { { 0.3f, 0.3f } } },
    { "Inverted", 2, 0.0f, 1.0f, [](CGUIValueMapping& m) { m.SetInverted(true); }, -1, { { 0.0f, 1.0f } },
        { { 0.25f, 0.75f } } },
    { "Logarithmic", 2, 20.0f, 2000.0f, [](CGUIValueMapping& m) { m.SetLogarithmic(true); }, -1, { { 200.0f, 0.5f } },
        { { 0.5f, 200.0f }, { 1.0f, 2000.0f } } },
    { "LogarithmicFromZeroIsFlat", 2, 0.0f, 2000.0f, [](CGUIValueMapping& m) { m.SetLogarithmic(true); }, -1, {},
        { { 0.7f, 0.0f } } },
    { "ZoomedAndPanned", 2, 0.0f, 10.0f,
        [](CGUIValueMapping& m) {
            m.SetZoom(2.0f);
            m.SetPan(0.5f);
        },
        -1, { { 5.0f, 0.5f } }, { { 0.5f, 5.0f } } },
};

class ValueMappingCases : public testing::TestWithParam<MappingCase> { };
} // namespace

TEST_P(ValueMappingCases, PositionsAndValues)
{
    const MappingCase& c = GetParam();
    CParamDescription description = MakeDescription(c.kind, c.min, c.max);
    CGUIValueMapping mapping(description);
    c.setup(mapping);
    EXPECT_EQ(mapping.GetStepCount(), c.steps);
    for (const auto& [value, position] : c.valueToPosition) {
        EXPECT_FLOAT_EQ(mapping.PositionFromValue(value, true), position) << "value " << value;
    }
    for (const auto& [position, value] : c.positionToValue) {
        EXPECT_FLOAT_EQ(mapping.ValueFromPosition(position), value) << "position " << position;
    }
}

INSTANTIATE_TEST_SUITE_P(CGUIValueMapping, ValueMappingCases, testing::ValuesIn(kMappingCases),
    [](const testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(CGUIValueMapping, CurvesComeInInversePairs)
{
    for (int k = 0; k < CGUIValueMapping::s_curveCount; ++k) {
        EXPECT_EQ(CGUIValueMapping::GetCurvePositionToValue(k), CGUIValueMapping::GetCurveValueToPosition(12 - k));
        const float mid = CGUIValueMapping::GetCurvePositionToValue(k)->Evaluate(0.5f);
        EXPECT_FLOAT_EQ(CGUIValueMapping::GetCurveValueToPosition(k)->Evaluate(mid), 0.5f) << k;
    }
}

TEST(CGUIValueMapping, NotifiesChangesOnlyAndKeepsZoomAtLeastOne)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    CCountingListener zoom(mapping.GetZoomNotifier()), inversion(mapping.GetInversionNotifier());
    mapping.SetInverted(true);
    mapping.SetInverted(true);
    mapping.SetInverted(false);
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
}

TEST(CGUIValueMapping, StepCountRules)
{
    CParamDescription description = MakeDescription(1, 0.0f, 4.0f);
    CGUIValueMapping mapping(description);
    CCountingListener changes(mapping.GetMappingNotifier());
    for (const auto& [request, stored] : { std::pair { 10, 5 }, { 3, 3 }, { 3, 3 }, { 0, 1 }, { -7, 5 } }) {
        mapping.SetStepCount(request);
        EXPECT_EQ(mapping.GetStepCount(), stored) << request;
    }
    EXPECT_EQ(changes.count, 3);
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
    mapping.ResetStepCount();
    EXPECT_EQ(mapping.GetStepCount(), INT_MAX);
}

TEST(CGUIValueMapping, FollowsItsDescription)
{
    CParamDescription description = MakeDescription(2, 0.0f, 10.0f);
    CGUIValueMapping mapping(description);
    CCountingListener changes(mapping.GetMappingNotifier());
    description.SetMax(20.0f);
    EXPECT_EQ(changes.count, 1);
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
    CCountingListener moved(mapping.GetPositionNotifier());
    param.SetValue(5.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.5f);
    param.SetValue(5.0f);
    EXPECT_EQ(moved.count, 1);
    param.description.SetMax(20.0f);
    EXPECT_FLOAT_EQ(mapping.GetPosition(), 0.25f);
    EXPECT_EQ(moved.count, 2);
    mapping.SetPosition(2.0f);
    EXPECT_EQ(param.GetValue(), 20.0f);
    EXPECT_EQ(mapping.GetPosition(), 1.0f);
}

TEST(CGUIParamValueMapping, SwitchesParametersAndRelaysChangeBrackets)
{
    CTestParam first(2, 0.0f, 10.0f), second(1, 0.0f, 4.0f);
    CGUIParamValueMapping mapping(first);
    CCountingListener opened(mapping.GetChangeOpenedNotifier()), closed(mapping.GetChangeClosedNotifier());
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
    EXPECT_EQ(opened.count, 2);
    EXPECT_EQ(closed.count, 1);
}
