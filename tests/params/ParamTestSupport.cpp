#include "ParamTestSupport.h"

#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CParamFunctionsComposition.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

#include <gtest/gtest.h>

int CCountedFunction::s_live = 0;

namespace {
const bool g_countedRegistered = CFactoryRegistry::GetInstance().Register(CCountedFunction::s_classId,
    IParamFunction::s_interfaceId, &TStaticFactory<CCountedFunction, IParamFunction>::GetInstance());
}

std::vector<std::unique_ptr<IParamFunction>> MakeOneOfEachClass()
{
    std::vector<std::unique_ptr<IParamFunction>> all;
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::Identity>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::Square>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::SquareRoot>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::Exp>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::Log>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormExp>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormLog>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormExp1>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormLog1>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormExp2>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormLog2>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormExp3>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::NormLog3>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::TodB>);
    all.emplace_back(new TParamFunction<&CFunctionsLibrary::FromdB>);
    auto* gain = new CBiquadGain;
    gain->SetCoefficients({ 0.25, 0.5, 0.25, 0.3, -0.2, 1.0 / 48000 });
    all.emplace_back(gain);
    auto* phase = new CBiquadPhaseShift;
    phase->SetCoefficients({ 1.0, -1.5, 0.5, 0.1, 0.05, 1.0 / 44100 });
    all.emplace_back(phase);
    auto* composition = new CParamFunctionsComposition(3, true);
    EXPECT_TRUE(composition->SetFunction(0, new TParamFunction<&CFunctionsLibrary::Square>));
    EXPECT_TRUE(composition->SetFunction(2, new TParamFunction<&CFunctionsLibrary::NormLog1>));
    all.emplace_back(composition);
    return all;
}
