#include "params/CParamFunctionsComposition.h"
#include "ParamTestSupport.h"
#include "params/CMemoryArchive.h"
#include "params/TParamFunction.h"

#include "CCountingListener.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

namespace {
using CSquare = TParamFunction<&CFunctionsLibrary::Square>;

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

struct CNameless final : IParamFunction {
    float Evaluate(float x) const override { return x; }
    IParamFunction* Clone() const override { return new CNameless; }
    const char* GetClassId() const override { return nullptr; }
    [[nodiscard]] bool Save(IOutputArchive&) override { return true; }
    [[nodiscard]] bool Load(IInputArchive&) override { return true; }
};
} // namespace

// A function without a class identifier saves as a bare entry that does not load.
TEST(CParamFunctionsComposition, ChainsSkippingNullEntriesAndSavesThem)
{
    CParamFunctionsComposition empty;
    EXPECT_EQ(empty.Evaluate(3.5f), 3.5f);
    EXPECT_FALSE(empty.OwnsFunctions());
    CMemoryArchive none;
    ASSERT_TRUE(empty.Save(none));
    ASSERT_EQ(none.GetRoot().FindGroup("functions")->GetCount(), 1);
    EXPECT_EQ(std::get<int32_t>(*none.GetRoot().FindGroup("functions")->Find("itemCount")), 0);

    CParamFunctionsComposition composition(4, true);
    ASSERT_TRUE(composition.SetFunction(0, new CSquare));
    ASSERT_TRUE(composition.SetFunction(2, new TParamFunction<&CFunctionsLibrary::NormExp>));
    ASSERT_TRUE(composition.SetFunction(3, new CNameless));
    EXPECT_EQ(composition.Evaluate(2.0f), 15.0f);
    CMemoryArchive archive;
    ASSERT_TRUE(composition.Save(archive));
    const CArchiveGroup* functions = archive.GetRoot().FindGroup("functions");
    ASSERT_NE(functions, nullptr);
    EXPECT_EQ(std::get<int32_t>(*functions->Find("itemCount")), 4);
    const CArchiveGroup* item0 = functions->FindGroup("item0");
    const CArchiveGroup* item1 = functions->FindGroup("item1");
    const CArchiveGroup* item3 = functions->FindGroup("item3");
    ASSERT_TRUE(item0 && item1 && functions->FindGroup("item2") && item3);
    EXPECT_EQ(std::get<std::string>(*item0->Find("type")), CSquare::s_classId);
    EXPECT_EQ(item0->FindGroup("content")->GetCount(), 0);
    ASSERT_EQ(item1->GetCount(), 1);
    EXPECT_TRUE(std::get<bool>(*item1->Find("isNull")));
    ASSERT_EQ(item3->GetCount(), 1);
    EXPECT_FALSE(std::get<bool>(*item3->Find("isNull")));
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
        EXPECT_EQ(composition.GetCount(), 0);
        EXPECT_EQ(listener.count, 5);
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
    const struct {
        const char* name;
        int32_t count;
        std::vector<std::string> items;
        bool loads;
    } cases[] = {
        { "two items", 2, { "item0", "item1" }, true },
        { "unregistered type", 3, { "item0", "item1?", "item2" }, false },
        { "content fails", 2, { "item0", "item1!" }, false },
        { "negative count", -1, { "item0" }, false },
        { "huge count", INT_MAX, { "item0" }, false },
        { "missing item", 2, { "item1" }, false },
    };
    for (const auto& c : cases) {
        for (const bool owns : { false, true }) {
            SCOPED_TRACE(testing::Message() << c.name << (owns ? ", owning" : ", borrowing"));
            CMemoryArchive archive;
            WriteComposition(archive, c.count, c.items);
            CCountedFunction borrowed;
            {
                CParamFunctionsComposition composition(1, owns);
                ASSERT_TRUE(composition.SetFunction(0, owns ? new CCountedFunction : &borrowed));
                CCountingListener listener(composition.GetNotifier());
                EXPECT_EQ(composition.Load(archive), c.loads);
                const int32_t loaded = c.loads ? c.count : 0;
                EXPECT_EQ(composition.GetCount(), loaded);
                EXPECT_TRUE(composition.OwnsFunctions());
                EXPECT_EQ(composition.Evaluate(0.0f), static_cast<float>(loaded));
                EXPECT_EQ(CCountedFunction::s_live, loaded + 1);
                EXPECT_EQ(listener.count, 0);
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

// One of every registered class (and an empty entry): an owning deep clone and
// a reload evaluate the same everywhere, and the reload saves the same archive.
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
    EXPECT_TRUE(clone->OwnsFunctions());
    for (const CParamFunctionsComposition* copy : { &loaded, clone.get() }) {
        ASSERT_EQ(copy->GetCount(), original.GetCount());
        EXPECT_EQ(copy->GetFunction(original.GetCount() - 1), nullptr);
        for (int32_t i = 0; i + 1 < original.GetCount(); ++i) {
            const IParamFunction* a = original.GetFunction(i);
            const IParamFunction* b = copy->GetFunction(i);
            SCOPED_TRACE(a->GetClassId());
            ASSERT_NE(b, nullptr);
            EXPECT_NE(a, b);
            EXPECT_STREQ(a->GetClassId(), b->GetClassId());
            for (float x : { -2.0f, 0.0f, 0.25f, 0.5f, 1.0f, 100.0f, 3000.0f }) {
                const float y = a->Evaluate(x), z = b->Evaluate(x);
                EXPECT_TRUE(y == z || (std::isnan(y) && std::isnan(z))) << x;
            }
        }
    }
    ASSERT_TRUE(loaded.Save(resaved));
    EXPECT_TRUE(saved.GetRoot().Equals(resaved.GetRoot()));
}
