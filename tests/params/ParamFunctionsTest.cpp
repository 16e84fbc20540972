#include "ParamTestSupport.h"
#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CFactoryRegistry.h"
#include "params/CMemoryArchive.h"
#include "params/CParamFunctionsComposition.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <tuple>

namespace {
using L = CFunctionsLibrary;
using CSquare = TParamFunction<&L::Square>;
constexpr float g_nan = std::numeric_limits<float>::quiet_NaN();
constexpr float g_inf = std::numeric_limits<float>::infinity();

template <class T> T Make(const CBiquadResponse::Coefficients& coefficients)
{
    T function;
    function.SetCoefficients(coefficients);
    return function;
}

auto Fields(const CBiquadResponse::Coefficients& c)
{
    return std::tuple(c.b0, c.b1, c.b2, c.a1, c.a2, c.invSampleRate);
}

// Counts its instances; its Load fails unless the archive holds bool "ok" =
// true, so that tests can make a load fail anywhere.
struct CCountedFunction final : IParamFunction {
    static constexpr const char* s_classId = "{C0C0C0C0-0000-4000-8000-0000000000C0}";
    static inline int s_live = 0;
    static constexpr bool s_ok = true;
    CCountedFunction() { ++s_live; }
    CCountedFunction(const CCountedFunction&) { ++s_live; }
    ~CCountedFunction() override { --s_live; }
    float Evaluate(float x) const override { return x + 1.0f; }
    IParamFunction* Clone() const override { return new CCountedFunction(*this); }
    const char* GetClassId() const override { return classId; }
    [[nodiscard]] bool Save(IOutputArchive& archive) override { return archive.WriteBool("ok", &s_ok); }
    [[nodiscard]] bool Load(IInputArchive& archive) override
    {
        bool ok = false;
        return archive.ReadBool("ok", &ok) && ok;
    }
    const char* classId = s_classId;
};
const bool g_countedRegistered = CFactoryRegistry::GetInstance().Register(CCountedFunction::s_classId,
    IParamFunction::s_interfaceId, &TStaticFactory<CCountedFunction, IParamFunction>::GetInstance());

// An archive of a composition: count as stored, then counted functions under
// the given names (failing to load when marked '!', of an unregistered type when '?').
void WriteComposition(CMemoryArchive& archive, int32_t count, const std::vector<std::string>& items)
{
    CSaveFunction functions([&](IOutputArchive& out) {
        bool ok = out.WriteInt("itemCount", &count);
        for (const std::string& item : items) {
            const bool isNull = false, loadable = item.back() != '!';
            const char* type
                = item.back() == '?' ? "{00000000-0000-0000-0000-000000000000}" : CCountedFunction::s_classId;
            CSaveFunction content([&](IOutputArchive& inner) { return inner.WriteBool("ok", &loadable); });
            CSaveFunction reference([&](IOutputArchive& inner) {
                return inner.WriteBool("isNull", &isNull) && inner.WriteString("type", type)
                    && inner.WriteObject("content", &content);
            });
            ok = ok && out.WriteObject(item.substr(0, 5).c_str(), &reference);
        }
        return ok;
    });
    ASSERT_TRUE(archive.WriteObject("functions", &functions));
}

// Compositions nested depth levels deep, each holding a counted function and the next level.
std::unique_ptr<CParamFunctionsComposition> MakeNested(int depth)
{
    auto outer = std::make_unique<CParamFunctionsComposition>(2, true);
    EXPECT_TRUE(outer->SetFunction(0, new CCountedFunction));
    EXPECT_TRUE(depth == 1 || outer->SetFunction(1, MakeNested(depth - 1).release()));
    return outer;
}
} // namespace

// Exact where the result is exact, to float precision otherwise; IEEE results
// out of the domain. Normalised pairs fix 0 and 1; their values at 1/2 are
// (sqrt(B) - 1) / m with the single-precision factor, and ln(1 + m / 2) / ln B.
TEST(CFunctionsLibrary, Values)
{
    for (const auto& [function, x, expected] : { std::tuple { &L::TodB, 1.0f, 0.0f }, { &L::TodB, 0.5f, -6.0206f },
             { &L::TodB, 10.0f, 20.0f }, { &L::TodB, 0.0f, -g_inf }, { &L::TodB, -1.0f, g_nan },
             { &L::FromdB, 0.0f, 1.0f }, { &L::FromdB, -6.0f, 0.501187f },
             // The single-precision 0.05 shows at large inputs: 10^10.000000149.
             { &L::FromdB, 200.0f, 10000003072.0f }, { &L::Square, -3.0f, 9.0f }, { &L::SquareRoot, 2.25f, 1.5f },
             { &L::SquareRoot, -1.0f, g_nan }, { &L::Exp, 1.0f, 2.7182817f }, { &L::Exp, 100.0f, g_inf },
             { &L::Log, 2.7182817f, 1.0f }, { &L::Log, 0.0f, -g_inf }, { &L::Log, -1.0f, g_nan },
             { &L::Identity, -g_inf, -g_inf }, { &L::NormLog, -1.0f, -g_inf }, { &L::NormLog, -1.5f, g_nan },
             { &L::NormLog1, -0.2f, g_nan }, { &L::NormExp3, 100.0f, g_inf }, { &L::NormExp2, g_nan, g_nan },
             { &L::NormExp, 0.5f, 0.41421357f }, { &L::NormLog, 0.5f, 0.58496249f },
             { &L::NormExp1, 0.5f, 0.23166248f }, { &L::NormLog1, 0.5f, 0.74722171f },
             { &L::NormExp2, 0.5f, 0.090498753f }, { &L::NormLog2, 0.5f, 0.85194433f },
             { &L::NormExp3, 0.5f, 0.030638585f }, { &L::NormLog3, 0.5f, 0.89981574f } }) {
        const float actual = function(x);
        SCOPED_TRACE(testing::Message() << "f(" << x << ") = " << actual);
        if (std::isnan(expected) || std::isinf(expected)) {
            EXPECT_TRUE(std::isnan(expected) ? std::isnan(actual) : actual == expected);
        } else {
            EXPECT_FLOAT_EQ(actual, expected);
        }
    }
    for (const auto& [exp, log] : { std::pair { &L::NormExp, &L::NormLog }, { &L::NormExp1, &L::NormLog1 },
             { &L::NormExp2, &L::NormLog2 }, { &L::NormExp3, &L::NormLog3 } }) {
        EXPECT_EQ(std::tuple(exp(0.0f), log(0.0f)), std::tuple(0.0f, 0.0f));
        EXPECT_FLOAT_EQ(exp(1.0f), 1.0f);
        EXPECT_FLOAT_EQ(log(1.0f), 1.0f);
        for (float x = 0.0f; x <= 1.0f; x += 0.0625f) {
            EXPECT_NEAR(log(exp(x)), x, 1e-6f) << x;
            EXPECT_NEAR(exp(log(x)), x, 1e-6f) << x;
        }
    }
}

// At 48 kHz unless said otherwise; above Nyquist both give 0.
TEST(CBiquad, GainAndPhaseResponses)
{
    const CBiquadResponse::Coefficients pass { 1, 0, 0, 0, 0, 1.0 / 48000 };
    const CBiquadResponse::Coefficients feedback { 1, 0, 0, 0.5, 0, 1.0 / 48000 };
    for (const auto& [name, coefficients, hz, gain, phase] :
        { std::tuple<const char*, CBiquadResponse::Coefficients, float, float, float> {
              "pass at DC", pass, 0.0f, 1.0f, 0.0f },
            { "pass at Nyquist", pass, 24000.0f, 1.0f, 0.0f }, { "above Nyquist", pass, 24001.0f, 0.0f, 0.0f },
            { "infinite frequency", pass, g_inf, 0.0f, 0.0f },
            { "average at a quarter", { 0.5, 0.5, 0, 0, 0, 1.0 / 48000 }, 12000.0f, 0.70711f, 0.125f },
            // Gain: D = 1 - 0.5i; phase: D = 1 + 0.5i, so P = -atan(0.5) / 2pi.
            { "feedback at DC", feedback, 0.0f, 2.0f, 0.0f },
            { "feedback at a quarter", feedback, 12000.0f, 0.894427f, -0.0737918f },
            // N = e^(iw) + e^(2iw) at w = pi/3; D = 1 -+ (e^(iw) + e^(2iw)) / 2.
            { "second order at a sixth", { 0, 1, 1, 0.5, 0.5, 1.0 / 48000 }, 8000.0f, 1.3093073f, 0.1364072f },
            { "no sample time is DC", { 1, 2, 3, 0.25, 0.25, 0.0 }, 5000.0f, 12.0f, 0.0f },
            { "default is silent", {}, 100.0f, 0.0f, 0.0f } }) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(Make<CBiquadGain>(coefficients).Evaluate(hz), gain, 1e-5f);
        EXPECT_NEAR(Make<CBiquadPhaseShift>(coefficients).Evaluate(hz), phase, 1e-6f);
    }
    EXPECT_TRUE(std::isnan(Make<CBiquadGain>(pass).Evaluate(g_nan)));
}

TEST(CBiquad, SavesSixNamedDoublesAndLoadAttemptsEveryOne)
{
    CMemoryArchive archive;
    ASSERT_TRUE(Make<CBiquadGain>({ 0.1, 0.2, 0.3, 0.4, 0.5, 0.25 }).Save(archive));
    std::vector<std::pair<std::string, double>> saved;
    for (int32_t i = 0; i < archive.GetRoot().GetCount(); ++i) {
        saved.emplace_back(archive.GetRoot().GetName(i), std::get<double>(archive.GetRoot().GetValue(i)));
    }
    EXPECT_EQ(saved,
        (std::vector<std::pair<std::string, double>> { { "inputCoeff0", 0.1 }, { "inputCoeff1", 0.2 },
            { "inputCoeff2", 0.3 }, { "outputCoeff1", 0.4 }, { "outputCoeff2", 0.5 }, { "invSampleRate", 0.25 } }));
    CBiquadPhaseShift loaded;
    ASSERT_TRUE(loaded.Load(archive));
    EXPECT_EQ(Fields(loaded.GetCoefficients()), std::tuple(0.1, 0.2, 0.3, 0.4, 0.5, 0.25));
    CMemoryArchive partial;
    const double b0 = 7.0, rate = 8.0;
    ASSERT_TRUE(partial.WriteDouble("inputCoeff0", &b0) && partial.WriteDouble("invSampleRate", &rate));
    EXPECT_FALSE(loaded.Load(partial));
    EXPECT_EQ(Fields(loaded.GetCoefficients()), std::tuple(7.0, 0.2, 0.3, 0.4, 0.5, 8.0));
}

// Registration at startup and the refusal of a second factory for a pair are
// proven by RegistrationProofTest.
TEST(CFactoryRegistry, CreatesByExactIdentifiersOnly)
{
    auto& square = TStaticFactory<CSquare, IParamFunction>::GetInstance();
    const char* const function = IParamFunction::s_interfaceId;
    for (const auto& [factory, classId, interfaceId, created] :
        { std::tuple<IFactory*, const char*, const char*, bool> { nullptr, CSquare::s_classId, function, true },
            { nullptr, "{f31a0ddb-1670-420a-aa0b-4aed41271dbc}", function, false },
            { nullptr, "F31A0DDB-1670-420a-AA0B-4AED41271DBC", function, false },
            { nullptr, CSquare::s_classId, CBiquadGain::s_classId, false }, { nullptr, nullptr, function, false },
            { &square, CSquare::s_classId, function, true }, { &square, CSquare::s_classId, CSquare::s_classId, false },
            { &square, CBiquadGain::s_classId, function, false }, { &square, CSquare::s_classId, nullptr, false } }) {
        SCOPED_TRACE(testing::Message() << (factory ? "factory " : "registry ") << classId << " as " << interfaceId);
        const std::unique_ptr<IParamFunction> made(static_cast<IParamFunction*>(
            (factory ? *factory : CFactoryRegistry::GetInstance()).CreateInstance(classId, interfaceId)));
        ASSERT_EQ(made != nullptr, created);
        EXPECT_TRUE(!made || made->Evaluate(-3.0f) == 9.0f);
    }
    EXPECT_EQ(square.CreateInstance(CSquare::s_classId), nullptr) << "the factory makes its interface, not its class";
    const std::unique_ptr<CBiquadGain> gain(
        static_cast<CBiquadGain*>(CFactoryRegistry::GetInstance().CreateInstance(CBiquadGain::s_classId)));
    ASSERT_NE(gain, nullptr);
    EXPECT_STREQ(gain->GetClassId(), CBiquadGain::s_classId);
}

TEST(CMemoryArchive, ValuesReadBackOnlyUnderTheirOwnTypeAndRewritesReplaceInPlace)
{
    CMemoryArchive archive;
    const int32_t number = -7;
    const double real = 0.1, two = 2.0;
    const float single = 2.5f;
    const bool flag = true;
    ASSERT_TRUE(archive.WriteInt("n", &number) && archive.WriteDouble("d", &real) && archive.WriteFloat("f", &single)
        && archive.WriteBool("b", &flag) && archive.WriteString("s", "text") && archive.WriteBytes("x", "a\0b", 3));
    int32_t n = 0, size = 0;
    double d = 0;
    float f = 0;
    bool b = false;
    char *text = nullptr, *data = nullptr;
    ASSERT_TRUE(archive.ReadInt("n", &n) && archive.ReadDouble("d", &d) && archive.ReadFloat("f", &f)
        && archive.ReadBool("b", &b) && archive.ReadString("s", &text) && archive.ReadBytes("x", &data, &size));
    const std::unique_ptr<char[]> textOwner(text), dataOwner(data);
    EXPECT_EQ(std::tuple(n, d, f, b, std::string(text), std::string(data, size)),
        std::tuple(-7, 0.1, 2.5f, true, "text", std::string("a\0b", 3)));
    EXPECT_FALSE(archive.ReadDouble("n", &d) || archive.ReadInt("d", &n) || archive.ReadString("missing", &text)
        || archive.ReadInt(nullptr, &n) || archive.ReadInt("n", nullptr) || archive.WriteString("s", nullptr));
    EXPECT_EQ(n, -7);

    ASSERT_TRUE(archive.WriteDouble("n", &two));
    ASSERT_EQ(archive.GetRoot().GetCount(), 6);
    EXPECT_EQ(std::tuple(archive.GetRoot().GetName(0), std::get<double>(archive.GetRoot().GetValue(0))),
        std::tuple("n", 2.0));
}

// Groups nest up to the depth limit; equal archives hold the same names,
// values and nesting, in the same order.
TEST(CMemoryArchive, GroupsNestToTheLimitAndCompareDeeply)
{
    int deepest = 0;
    std::function<bool(IOutputArchive&, int)> nest = [&](IOutputArchive& out, int level) {
        deepest = level;
        CSaveFunction inner([&](IOutputArchive& next) { return nest(next, level + 1); });
        return out.WriteObject("g", &inner);
    };
    CMemoryArchive deep;
    EXPECT_FALSE(nest(deep, 0));
    EXPECT_EQ(deepest, CMemoryArchive::s_maxDepth);

    CMemoryArchive archives[4];
    for (const auto& [archive, value, swap] : { std::tuple { &archives[0], 1.0, false }, { &archives[1], 1.0, false },
             { &archives[2], 2.0, false }, { &archives[3], 1.0, true } }) {
        const int32_t one = 1;
        const double number = value;
        CSaveFunction group([&](IOutputArchive& out) { return out.WriteDouble("d", &number); });
        ASSERT_TRUE(archive->WriteInt(swap ? "g" : "n", &one) && archive->WriteObject(swap ? "n" : "g", &group));
    }
    EXPECT_TRUE(archives[0].GetRoot().Equals(archives[1].GetRoot()));
    EXPECT_FALSE(
        archives[0].GetRoot().Equals(archives[2].GetRoot()) || archives[0].GetRoot().Equals(archives[3].GetRoot()));
}

// A function without a class identifier saves as a bare entry that does not load.
TEST(CParamFunctionsComposition, ChainsSkippingNullEntriesAndSavesThem)
{
    CParamFunctionsComposition empty;
    CMemoryArchive none;
    ASSERT_TRUE(empty.Save(none));
    const CArchiveGroup& noFunctions = *none.GetRoot().FindGroup("functions");
    EXPECT_EQ(std::tuple(empty.Evaluate(3.5f), empty.OwnsFunctions(), noFunctions.GetCount(),
                  std::get<int32_t>(*noFunctions.Find("itemCount"))),
        std::tuple(3.5f, false, 1, 0));

    CParamFunctionsComposition composition(4, true);
    auto* nameless = new CCountedFunction;
    nameless->classId = nullptr;
    ASSERT_TRUE(composition.SetFunction(0, new CSquare) && composition.SetFunction(2, new TParamFunction<&L::NormExp>)
        && composition.SetFunction(3, nameless));
    EXPECT_EQ(composition.Evaluate(2.0f), 16.0f);
    CMemoryArchive archive;
    ASSERT_TRUE(composition.Save(archive));
    const CArchiveGroup* functions = archive.GetRoot().FindGroup("functions");
    ASSERT_NE(functions, nullptr);
    const CArchiveGroup* item0 = functions->FindGroup("item0");
    const CArchiveGroup* item1 = functions->FindGroup("item1");
    const CArchiveGroup* item3 = functions->FindGroup("item3");
    ASSERT_TRUE(item0 && item1 && functions->FindGroup("item2") && item3);
    EXPECT_EQ(std::tuple(std::get<int32_t>(*functions->Find("itemCount")), std::get<std::string>(*item0->Find("type")),
                  item0->FindGroup("content")->GetCount(), item1->GetCount(), std::get<bool>(*item1->Find("isNull")),
                  item3->GetCount(), std::get<bool>(*item3->Find("isNull"))),
        std::tuple(4, CSquare::s_classId, 0, 1, true, 1, false));
    EXPECT_FALSE(composition.Load(archive));
}

TEST(CParamFunctionsComposition, SetCountNotifiesOnlyOnChangeAndDestroysOwnedEntries)
{
    CCountedFunction kept;
    {
        CParamFunctionsComposition composition(2, true), borrowing(1, false);
        CCountingListener listener(composition.GetNotifier());
        for (int32_t i : { 0, 1, 1 }) {
            ASSERT_TRUE(composition.SetFunction(i, new CCountedFunction));
        }
        composition.SetCount(2);
        EXPECT_EQ(CCountedFunction::s_live, 3);
        for (const int32_t count : { 1, 0 }) {
            composition.SetCount(count);
            EXPECT_EQ(CCountedFunction::s_live, count + 1);
        }
        composition.SetCount(-4);
        EXPECT_EQ(std::tuple(composition.GetCount(), listener.count), std::tuple(0, 5));
        EXPECT_FALSE(composition.SetFunction(0, nullptr));
        ASSERT_TRUE(borrowing.SetFunction(0, &kept));
        borrowing.SetCount(0);
    }
    EXPECT_EQ(CCountedFunction::s_live, 1);
}

// A load replaces every entry, owned or borrowed, without notifying; any
// failure leaves the composition empty, every function it made destroyed once.
TEST(CParamFunctionsComposition, LoadReplacesEverythingOrLeavesNothing)
{
    for (const auto& [name, count, items, loads] : { std::tuple<const char*, int32_t, std::vector<std::string>, bool> {
                                                         "two items", 2, { "item0", "item1" }, true },
             { "unregistered type", 3, { "item0", "item1?", "item2" }, false },
             { "content fails", 2, { "item0", "item1!" }, false }, { "negative count", -1, { "item0" }, false },
             { "huge count", INT_MAX, { "item0" }, false }, { "missing item", 2, { "item1" }, false } }) {
        for (const bool owns : { false, true }) {
            SCOPED_TRACE(testing::Message() << name << (owns ? ", owning" : ", borrowing"));
            CMemoryArchive archive;
            WriteComposition(archive, count, items);
            CCountedFunction borrowed;
            {
                CParamFunctionsComposition composition(1, owns);
                ASSERT_TRUE(composition.SetFunction(0, owns ? new CCountedFunction : &borrowed));
                CCountingListener listener(composition.GetNotifier());
                EXPECT_EQ(composition.Load(archive), loads);
                const int32_t loaded = loads ? count : 0;
                EXPECT_EQ(std::tuple(composition.GetCount(), composition.OwnsFunctions(), composition.Evaluate(0.0f),
                              CCountedFunction::s_live, listener.count),
                    std::tuple(loaded, true, static_cast<float>(loaded), loaded + 1, 0));
            }
            EXPECT_EQ(CCountedFunction::s_live, 1);
        }
    }
    CParamFunctionsComposition composition;
    CMemoryArchive empty, mistyped;
    EXPECT_FALSE(composition.Load(empty));
    const double count = 1.0;
    CSaveFunction functions([&](IOutputArchive& out) { return out.WriteDouble("itemCount", &count); });
    ASSERT_TRUE(mistyped.WriteObject("functions", &functions));
    EXPECT_FALSE(composition.Load(mistyped));
}

TEST(CParamFunctionsComposition, NestingIsLimitedOnLoad)
{
    for (int depth : { CParamFunctionsComposition::s_maxLoadDepth, CParamFunctionsComposition::s_maxLoadDepth + 1 }) {
        SCOPED_TRACE(depth);
        CMemoryArchive archive;
        ASSERT_TRUE(MakeNested(depth)->Save(archive));
        {
            CParamFunctionsComposition loaded;
            const bool fits = depth <= CParamFunctionsComposition::s_maxLoadDepth;
            EXPECT_EQ(loaded.Load(archive), fits);
            EXPECT_EQ(loaded.Evaluate(0.0f), fits ? static_cast<float>(depth) : 0.0f);
        }
        EXPECT_EQ(CCountedFunction::s_live, 0);
    }
}

// One of every registered class with non-trivial settings, and an empty entry:
// an owning deep clone and a reload save the same archive as the original.
TEST(CParamFunctionsComposition, EveryRegisteredClassSurvivesACloneAndARoundTrip)
{
    CParamFunctionsComposition original(std::size(g_paramClassIds) + 1, true);
    double rate = 48000;
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(g_paramClassIds)); ++i) {
        auto* function = static_cast<IParamFunction*>(
            CFactoryRegistry::GetInstance().CreateInstance(g_paramClassIds[i], IParamFunction::s_interfaceId));
        if (auto* biquad = dynamic_cast<CBiquadResponse*>(function)) {
            biquad->SetCoefficients({ 0.25, -1.5, 0.5, 0.3, -0.2, 1.0 / rate });
            rate = 44100;
        } else if (dynamic_cast<CParamFunctionsComposition*>(function)) {
            delete function; // the factory's one borrows
            auto* composition = new CParamFunctionsComposition(3, true);
            function = composition;
            EXPECT_TRUE(composition->SetFunction(0, new CSquare)
                && composition->SetFunction(2, new TParamFunction<&L::NormLog1>));
        }
        ASSERT_TRUE(original.SetFunction(i, function));
    }
    CMemoryArchive saved, resaved, cloneSaved;
    CParamFunctionsComposition loaded;
    const std::unique_ptr<CParamFunctionsComposition> clone(static_cast<CParamFunctionsComposition*>(original.Clone()));
    ASSERT_TRUE(original.Save(saved) && loaded.Load(saved) && loaded.Save(resaved) && clone->Save(cloneSaved));
    EXPECT_TRUE(clone->OwnsFunctions() && clone->GetFunction(0) != original.GetFunction(0));
    EXPECT_TRUE(saved.GetRoot().Equals(resaved.GetRoot()) && saved.GetRoot().Equals(cloneSaved.GetRoot()));
}
