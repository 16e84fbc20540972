#include "ParamTestSupport.h"
#include "ParamClassIds.h"

#include "params/CBiquadResponse.h"
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
    double rate = 48000;
    for (const char* id : g_paramClassIds) {
        all.emplace_back(static_cast<IParamFunction*>(
            CFactoryRegistry::GetInstance().CreateInstance(id, IParamFunction::s_interfaceId)));
        if (auto* biquad = dynamic_cast<CBiquadResponse*>(all.back().get())) {
            biquad->SetCoefficients({ 0.25, -1.5, 0.5, 0.3, -0.2, 1.0 / rate });
            rate = 44100;
        } else if (dynamic_cast<CParamFunctionsComposition*>(all.back().get())) {
            auto* composition = new CParamFunctionsComposition(3, true); // the factory's one borrows
            all.back().reset(composition);
            EXPECT_TRUE(composition->SetFunction(0, new TParamFunction<&CFunctionsLibrary::Square>));
            EXPECT_TRUE(composition->SetFunction(2, new TParamFunction<&CFunctionsLibrary::NormLog1>));
        }
    }
    return all;
}
