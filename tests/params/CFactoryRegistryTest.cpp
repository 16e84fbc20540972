#include "params/CFactoryRegistry.h"
#include "ParamTestSupport.h"
#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CParamFunctionsComposition.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
const char* const g_squareId = "{F31A0DDB-1670-420a-AA0B-4AED41271DBC}";

template <class... T> bool AllRegistered()
{
    return ((TStaticFactory<T, T>::registered && TStaticFactory<T, IParamFunction>::registered) && ...);
}

using CSquare = TParamFunction<&CFunctionsLibrary::Square>;

// A factory that must never be asked: the first registration wins.
class CRefusingFactory final : public IFactory {
public:
    void* CreateInstance(const char* classId) override { return CreateInstance(classId, classId); }
    void* CreateInstance(const char*, const char*) override
    {
        ++calls;
        return nullptr;
    }
    int calls = 0;
};

std::unique_ptr<IParamFunction> Create(const char* classId, const char* interfaceId)
{
    return std::unique_ptr<IParamFunction>(
        static_cast<IParamFunction*>(CFactoryRegistry::GetInstance().CreateInstance(classId, interfaceId)));
}
} // namespace

TEST(CFactoryRegistry, EveryClassIsRegisteredTwiceAtStartup)
{
    EXPECT_TRUE((AllRegistered<TParamFunction<&CFunctionsLibrary::Identity>, CSquare,
        TParamFunction<&CFunctionsLibrary::SquareRoot>, TParamFunction<&CFunctionsLibrary::Exp>,
        TParamFunction<&CFunctionsLibrary::Log>, TParamFunction<&CFunctionsLibrary::NormExp>,
        TParamFunction<&CFunctionsLibrary::NormLog>, TParamFunction<&CFunctionsLibrary::NormExp1>,
        TParamFunction<&CFunctionsLibrary::NormLog1>, TParamFunction<&CFunctionsLibrary::NormExp2>,
        TParamFunction<&CFunctionsLibrary::NormLog2>, TParamFunction<&CFunctionsLibrary::NormExp3>,
        TParamFunction<&CFunctionsLibrary::NormLog3>, TParamFunction<&CFunctionsLibrary::TodB>,
        TParamFunction<&CFunctionsLibrary::FromdB>, CBiquadGain, CBiquadPhaseShift, CParamFunctionsComposition>()));
}

TEST(CFactoryRegistry, CreatesByExactIdentifiers)
{
    const auto square = Create(g_squareId, IParamFunction::s_interfaceId);
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->Evaluate(3.0f), 9.0f);

    EXPECT_EQ(Create("{f31a0ddb-1670-420a-aa0b-4aed41271dbc}", IParamFunction::s_interfaceId), nullptr);
    EXPECT_EQ(Create("F31A0DDB-1670-420a-AA0B-4AED41271DBC", IParamFunction::s_interfaceId), nullptr);
    EXPECT_EQ(Create(g_squareId, CBiquadGain::s_classId), nullptr);
    EXPECT_EQ(Create(nullptr, IParamFunction::s_interfaceId), nullptr);
}

TEST(CFactoryRegistry, OneArgumentCreatesTheClassItself)
{
    void* object = CFactoryRegistry::GetInstance().CreateInstance(CBiquadGain::s_classId);
    ASSERT_NE(object, nullptr);
    const std::unique_ptr<CBiquadGain> gain(static_cast<CBiquadGain*>(object));
    EXPECT_STREQ(gain->GetClassId(), CBiquadGain::s_classId);
    EXPECT_EQ(gain->GetCoefficients().b0, 0.0);
}

TEST(CFactoryRegistry, DuplicateRegistrationKeepsTheFirstFactory)
{
    CRefusingFactory refusing;
    EXPECT_FALSE(CFactoryRegistry::GetInstance().Register(g_squareId, IParamFunction::s_interfaceId, &refusing));
    EXPECT_FALSE(CFactoryRegistry::GetInstance().Register(g_squareId, g_squareId, &refusing));
    EXPECT_NE(Create(g_squareId, IParamFunction::s_interfaceId), nullptr);
    EXPECT_EQ(refusing.calls, 0);
}

TEST(TStaticFactory, ChecksBothIdentifiersAgain)
{
    auto& factory = TStaticFactory<CSquare, IParamFunction>::GetInstance();
    EXPECT_EQ(factory.CreateInstance(g_squareId), nullptr);
    EXPECT_EQ(factory.CreateInstance(g_squareId, g_squareId), nullptr);
    EXPECT_EQ(factory.CreateInstance(CBiquadGain::s_classId, IParamFunction::s_interfaceId), nullptr);
    const std::unique_ptr<IParamFunction> square(
        static_cast<IParamFunction*>(factory.CreateInstance(g_squareId, IParamFunction::s_interfaceId)));
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->Evaluate(-2.0f), 4.0f);
}
