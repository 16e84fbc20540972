#pragma once

#include "foundation/CGUINotifier.h"
#include "params/CFunctionsLibrary.h"
#include "params/IObservable.h"
#include "params/IParamFunction.h"

// Class identifier of the wrapper of each library function.
template <CFunctionsLibrary::Function F> inline constexpr const char* g_paramFunctionClassId = nullptr;
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::Identity> = "{83A9F6B1-2360-44f2-9EA2-C0A75A47A554}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::Square> = "{F31A0DDB-1670-420a-AA0B-4AED41271DBC}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::SquareRoot> = "{9BA5267D-D300-4315-8C25-BDF46423F139}";
template <>
inline constexpr const char* g_paramFunctionClassId<&CFunctionsLibrary::Exp> = "{40211AEA-B310-4254-BE94-B7E5B99CE707}";
template <>
inline constexpr const char* g_paramFunctionClassId<&CFunctionsLibrary::Log> = "{7367BBAB-A156-48b9-A512-4F1912C56839}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormExp> = "{FB1F81BF-F8E7-40ba-8EBE-403988A2E994}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormLog> = "{94E073D9-BACD-49be-B08C-A70980F5E84E}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormExp1> = "{8D0E0F88-5C79-4f48-AD24-1C6BE1A8904B}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormLog1> = "{10DF14BD-357A-4458-905B-369AD2FD8B21}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormExp2> = "{47C095AC-4502-4b60-97D3-B3D3F3A7A87A}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormLog2> = "{716AB1B3-FEA8-4dec-B3EA-99B1CCDF852D}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormExp3> = "{F9CA1474-22AE-400b-AFC8-D9A077738A81}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::NormLog3> = "{7F4CF089-3DF2-40e4-83F3-736603B40160}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::TodB> = "{9C5BC273-DBD2-4900-B2C7-BAA8A4284487}";
template <>
inline constexpr const char*
    g_paramFunctionClassId<&CFunctionsLibrary::FromdB> = "{18C4A2D7-BD79-486a-B12E-B21F32FBBF0F}";

// One library function as a stateless parameter function. It never changes,
// so its notifier never fires; it is there so that every parameter function
// can be observed alike.
template <CFunctionsLibrary::Function F>
class TParamFunction final : public IParamFunction, public CGUINotifier, public IObservable {
public:
    static constexpr const char* s_classId = g_paramFunctionClassId<F>;
    static_assert(s_classId != nullptr, "every library function has a class identifier");

    float Evaluate(float x) const override { return F(x); }
    IParamFunction* Clone() const override { return new TParamFunction; }
    const char* GetClassId() const override { return s_classId; }
    // Nothing to write or read.
    [[nodiscard]] bool Save(IOutputArchive&) override { return true; }
    [[nodiscard]] bool Load(IInputArchive&) override { return true; }
    CGUINotifier& GetNotifier() override { return *this; }
};
