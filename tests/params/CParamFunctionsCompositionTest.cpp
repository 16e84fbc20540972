#include "params/CParamFunctionsComposition.h"
#include "ParamTestSupport.h"
#include "params/CBiquadGain.h"
#include "params/CMemoryArchive.h"
#include "params/TParamFunction.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

namespace {
using CSquare = TParamFunction<&CFunctionsLibrary::Square>;

// Writes one stored function reference.
bool WriteItem(IOutputArchive& archive, const char* name, const char* type, bool loadable)
{
    CSaveFunction item([&](IOutputArchive& out) {
        const bool isNull = false;
        CSaveFunction content([&](IOutputArchive& inner) { return inner.WriteBool("ok", &loadable); });
        return out.WriteBool("isNull", &isNull) && out.WriteString("type", type)
            && out.WriteObject("content", &content);
    });
    return archive.WriteObject(name, &item);
}

// An archive of a composition: count as stored, then counted items (loadable
// unless marked '!', of an unregistered type when '?') under the given names.
void WriteComposition(CMemoryArchive& archive, int32_t count, std::vector<std::string> items)
{
    CSaveFunction functions([&](IOutputArchive& out) {
        bool ok = out.WriteInt("itemCount", &count);
        for (const std::string& item : items) {
            const char* type
                = item.back() == '?' ? "{00000000-0000-0000-0000-000000000000}" : CCountedFunction::s_classId;
            ok = ok && WriteItem(out, item.substr(0, 5).c_str(), type, item.back() != '!');
        }
        return ok;
    });
    ASSERT_TRUE(archive.WriteObject("functions", &functions));
}

// A composition nested depth levels deep, each level holding a counted
// function and the next level.
std::unique_ptr<CParamFunctionsComposition> MakeNested(int depth)
{
    auto outer = std::make_unique<CParamFunctionsComposition>(2, true);
    EXPECT_TRUE(outer->SetFunction(0, new CCountedFunction));
    if (depth > 1) {
        EXPECT_TRUE(outer->SetFunction(1, MakeNested(depth - 1).release()));
    }
    return outer;
}

bool SameResult(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
} // namespace

TEST(CParamFunctionsComposition, ChainsSkippingNullEntriesAndSavesThem)
{
    CParamFunctionsComposition empty;
    EXPECT_EQ(empty.Evaluate(3.5f), 3.5f);
    EXPECT_FALSE(empty.OwnsFunctions());

    CParamFunctionsComposition composition(3, true);
    ASSERT_TRUE(composition.SetFunction(0, new CSquare));
    ASSERT_TRUE(composition.SetFunction(2, new TParamFunction<&CFunctionsLibrary::NormExp>));
    EXPECT_EQ(composition.Evaluate(2.0f), 15.0f);
    CMemoryArchive archive;
    ASSERT_TRUE(composition.Save(archive));
    const CArchiveGroup* functions = archive.GetRoot().FindGroup("functions");
    ASSERT_NE(functions, nullptr);
    EXPECT_EQ(std::get<int32_t>(*functions->Find("itemCount")), 3);
    const CArchiveGroup* item0 = functions->FindGroup("item0");
    const CArchiveGroup* item1 = functions->FindGroup("item1");
    ASSERT_TRUE(item0 && item1 && functions->FindGroup("item2"));
    EXPECT_EQ(std::get<std::string>(*item0->Find("type")), CSquare::s_classId);
    EXPECT_EQ(item0->FindGroup("content")->GetCount(), 0);
    ASSERT_EQ(item1->GetCount(), 1);
    EXPECT_TRUE(std::get<bool>(*item1->Find("isNull")));

    CMemoryArchive none;
    ASSERT_TRUE(empty.Save(none));
    ASSERT_EQ(none.GetRoot().FindGroup("functions")->GetCount(), 1);
    EXPECT_EQ(std::get<int32_t>(*none.GetRoot().FindGroup("functions")->Find("itemCount")), 0);
}

TEST(CParamFunctionsComposition, CloneIsDeepAndOwning)
{
    auto source = std::make_unique<CParamFunctionsComposition>(2, false);
    CBiquadGain gain;
    gain.SetCoefficients({ 1.0, 0.0, 0.0, 0.5, 0.0, 0.0 });
    ASSERT_TRUE(source->SetFunction(1, &gain));
    const std::unique_ptr<IParamFunction> clone(source->Clone());
    source.reset();
    gain.SetCoefficients({});
    EXPECT_FLOAT_EQ(clone->Evaluate(100.0f), 2.0f);
    auto* copy = static_cast<CParamFunctionsComposition*>(clone.get());
    EXPECT_TRUE(copy->OwnsFunctions());
    EXPECT_EQ(copy->GetFunction(0), nullptr);
    EXPECT_NE(copy->GetFunction(1), &gain);
}

TEST(CParamFunctionsComposition, SetCountNotifiesOnlyOnChangeAndDestroysOwnedEntries)
{
    CCountedFunction kept;
    {
        CParamFunctionsComposition composition(2, true);
        CCountingListener listener(composition.GetNotifier());
        ASSERT_TRUE(composition.SetFunction(0, new CCountedFunction));
        ASSERT_TRUE(composition.SetFunction(1, new CCountedFunction));
        composition.SetCount(2);
        EXPECT_EQ(listener.count, 2);
        ASSERT_TRUE(composition.SetFunction(1, new CCountedFunction));
        EXPECT_EQ(CCountedFunction::s_live, 3);
        for (const int32_t count : { 1, 0 }) {
            composition.SetCount(count);
            EXPECT_EQ(CCountedFunction::s_live, count + 1);
        }
        composition.SetCount(-4);
        EXPECT_EQ(composition.GetCount(), 0);
        EXPECT_EQ(listener.count, 5);
        EXPECT_FALSE(composition.SetFunction(0, nullptr));
        CParamFunctionsComposition borrowing(1, false);
        ASSERT_TRUE(borrowing.SetFunction(0, &kept));
        borrowing.SetCount(0);
    }
    EXPECT_EQ(CCountedFunction::s_live, 1);
}

TEST(CParamFunctionsComposition, LoadReplacesEntriesAndOwnsThem)
{
    CMemoryArchive archive;
    WriteComposition(archive, 2, { "item0", "item1" });
    {
        CParamFunctionsComposition composition(1, false);
        CCountingListener listener(composition.GetNotifier());
        ASSERT_TRUE(composition.Load(archive));
        EXPECT_EQ(listener.count, 0);
        EXPECT_TRUE(composition.OwnsFunctions());
        EXPECT_EQ(composition.GetCount(), 2);
        EXPECT_EQ(composition.Evaluate(0.0f), 2.0f);
        EXPECT_EQ(CCountedFunction::s_live, 2);
    }
    EXPECT_EQ(CCountedFunction::s_live, 0);
}

// Every archive here fails to load after having created some functions:
// the composition ends up empty and every one of them is destroyed once.
TEST(CParamFunctionsComposition, FailedLoadsLeaveNothingBehind)
{
    const struct {
        const char* name;
        int32_t count;
        std::vector<std::string> items;
    } cases[] = {
        { "unregistered type", 3, { "item0", "item1?", "item2" } },
        { "content fails", 2, { "item0", "item1!" } },
        { "negative count", -1, { "item0" } },
        { "huge count", INT_MAX, { "item0" } },
        { "missing item", 2, { "item1" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryArchive archive;
        WriteComposition(archive, c.count, c.items);
        CParamFunctionsComposition composition(2, true);
        ASSERT_TRUE(composition.SetFunction(0, new CCountedFunction));
        EXPECT_FALSE(composition.Load(archive));
        EXPECT_EQ(composition.GetCount(), 0);
        EXPECT_EQ(CCountedFunction::s_live, 0);
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
            EXPECT_EQ(loaded.Load(archive), depth <= CParamFunctionsComposition::s_maxLoadDepth);
            EXPECT_EQ(loaded.Evaluate(0.0f), loaded.GetCount() ? static_cast<float>(depth) : 0.0f);
        }
        EXPECT_EQ(CCountedFunction::s_live, 0);
    }
}

TEST(CParamFunctionsComposition, FunctionWithoutClassIdSavesButDoesNotLoad)
{
    struct CNameless final : IParamFunction {
        float Evaluate(float x) const override { return x; }
        IParamFunction* Clone() const override { return new CNameless; }
        const char* GetClassId() const override { return nullptr; }
        [[nodiscard]] bool Save(IOutputArchive&) override { return true; }
        [[nodiscard]] bool Load(IInputArchive&) override { return true; }
    };
    CParamFunctionsComposition composition(1, true);
    ASSERT_TRUE(composition.SetFunction(0, new CNameless));
    CMemoryArchive archive;
    ASSERT_TRUE(composition.Save(archive));
    EXPECT_EQ(archive.GetRoot().FindGroup("functions")->FindGroup("item0")->GetCount(), 1);
    EXPECT_FALSE(composition.Load(archive));
}

// One of every registered class (and an empty entry): a clone and a reload
// evaluate the same everywhere, and the reload saves the same archive.
TEST(CParamFunctionsComposition, EveryRegisteredClassSurvivesACloneAndARoundTrip)
{
    CParamFunctionsComposition original(0, true);
    auto all = MakeOneOfEachClass();
    original.SetCount(static_cast<int32_t>(all.size()) + 1);
    for (size_t i = 0; i < all.size(); ++i) {
        ASSERT_TRUE(original.SetFunction(static_cast<int32_t>(i), all[i].release()));
    }
    CMemoryArchive saved, resaved;
    ASSERT_TRUE(original.Save(saved));
    CParamFunctionsComposition loaded;
    ASSERT_TRUE(loaded.Load(saved));
    const std::unique_ptr<CParamFunctionsComposition> clone(static_cast<CParamFunctionsComposition*>(original.Clone()));
    for (const CParamFunctionsComposition* copy : { &loaded, clone.get() }) {
        ASSERT_EQ(copy->GetCount(), original.GetCount());
        for (int32_t i = 0; i < original.GetCount(); ++i) {
            const IParamFunction* a = original.GetFunction(i);
            const IParamFunction* b = copy->GetFunction(i);
            ASSERT_EQ(a == nullptr, b == nullptr) << i;
            if (!a) {
                continue;
            }
            SCOPED_TRACE(a->GetClassId());
            EXPECT_NE(a, b);
            EXPECT_STREQ(a->GetClassId(), b->GetClassId());
            for (float x : { -2.0f, 0.0f, 0.25f, 0.5f, 1.0f, 100.0f, 3000.0f }) {
                EXPECT_TRUE(SameResult(a->Evaluate(x), b->Evaluate(x))) << x;
            }
        }
    }
    ASSERT_TRUE(loaded.Save(resaved));
    EXPECT_TRUE(saved.GetRoot().Equals(resaved.GetRoot()));
}
