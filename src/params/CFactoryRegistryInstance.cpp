// The registry's accessor lives with the registrations of every parameter
// function class. A static library only contributes the object files that a
// program references; keeping the two together means that any program that
// can reach the registry also links, and so runs, all of the registrations.

#include "params/CBiquadGain.h"
#include "params/CBiquadPhaseShift.h"
#include "params/CFactoryRegistry.h"
#include "params/CParamFunctionsComposition.h"
#include "params/TParamFunction.h"
#include "params/TStaticFactory.h"

CFactoryRegistry& CFactoryRegistry::GetInstance()
{
    static CFactoryRegistry registry;
    return registry;
}

// Each class is registered as itself and as IParamFunction, in this order.
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Identity>,
    TParamFunction<&CFunctionsLibrary::Identity>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Identity>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Square>, TParamFunction<&CFunctionsLibrary::Square>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Square>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::SquareRoot>,
    TParamFunction<&CFunctionsLibrary::SquareRoot>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::SquareRoot>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Exp>, TParamFunction<&CFunctionsLibrary::Exp>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Exp>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Log>, TParamFunction<&CFunctionsLibrary::Log>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::Log>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp>, TParamFunction<&CFunctionsLibrary::NormExp>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog>, TParamFunction<&CFunctionsLibrary::NormLog>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp1>,
    TParamFunction<&CFunctionsLibrary::NormExp1>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp1>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog1>,
    TParamFunction<&CFunctionsLibrary::NormLog1>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog1>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp2>,
    TParamFunction<&CFunctionsLibrary::NormExp2>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp2>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog2>,
    TParamFunction<&CFunctionsLibrary::NormLog2>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog2>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp3>,
    TParamFunction<&CFunctionsLibrary::NormExp3>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormExp3>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog3>,
    TParamFunction<&CFunctionsLibrary::NormLog3>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::NormLog3>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::TodB>, TParamFunction<&CFunctionsLibrary::TodB>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::TodB>, IParamFunction>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::FromdB>, TParamFunction<&CFunctionsLibrary::FromdB>>;
template class TStaticFactory<TParamFunction<&CFunctionsLibrary::FromdB>, IParamFunction>;
template class TStaticFactory<CBiquadGain, CBiquadGain>;
template class TStaticFactory<CBiquadGain, IParamFunction>;
template class TStaticFactory<CBiquadPhaseShift, CBiquadPhaseShift>;
template class TStaticFactory<CBiquadPhaseShift, IParamFunction>;
template class TStaticFactory<CParamFunctionsComposition, CParamFunctionsComposition>;
template class TStaticFactory<CParamFunctionsComposition, IParamFunction>;
