#include "params/CFactoryRegistry.h"
#include "params/CBiquadGain.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

#include <gtest/gtest.h>

#include <memory>

// Registration at startup and the refusal of a second factory for a pair are
// proven by RegistrationProofTest.
namespace {
const char* const g_squareId = "{F31A0DDB-1670-420a-AA0B-4AED41271DBC}";
const char* const g_functionId = IParamFunction::s_interfaceId;
} // namespace

TEST(CFactoryRegistry, CreatesByExactIdentifiersOnly)
{
    auto& square = TStaticFactory<TParamFunction<&CFunctionsLibrary::Square>, IParamFunction>::GetInstance();
    const struct {
        IFactory* factory; // null: the registry
        const char* classId;
        const char* interfaceId;
        bool created;
    } cases[] = {
        { nullptr, g_squareId, g_functionId, true },
        { nullptr, "{f31a0ddb-1670-420a-aa0b-4aed41271dbc}", g_functionId, false },
        { nullptr, "F31A0DDB-1670-420a-AA0B-4AED41271DBC", g_functionId, false },
        { nullptr, g_squareId, CBiquadGain::s_classId, false },
        { nullptr, nullptr, g_functionId, false },
        { &square, g_squareId, g_functionId, true },
        { &square, g_squareId, g_squareId, false },
        { &square, CBiquadGain::s_classId, g_functionId, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.factory ? "factory " : "registry ") << (c.classId ? c.classId : "null")
                                        << " as " << c.interfaceId);
        IFactory& factory = c.factory ? *c.factory : CFactoryRegistry::GetInstance();
        const std::unique_ptr<IParamFunction> function(
            static_cast<IParamFunction*>(factory.CreateInstance(c.classId, c.interfaceId)));
        ASSERT_EQ(function != nullptr, c.created);
        if (function) {
            EXPECT_EQ(function->Evaluate(-3.0f), 9.0f);
        }
    }
    EXPECT_EQ(square.CreateInstance(g_squareId), nullptr) << "the factory makes its interface, not its class";
}

TEST(CFactoryRegistry, OneArgumentCreatesTheClassItself)
{
    const std::unique_ptr<CBiquadGain> gain(
        static_cast<CBiquadGain*>(CFactoryRegistry::GetInstance().CreateInstance(CBiquadGain::s_classId)));
    ASSERT_NE(gain, nullptr);
    EXPECT_STREQ(gain->GetClassId(), CBiquadGain::s_classId);
    EXPECT_EQ(gain->GetCoefficients().b0, 0.0);
}
