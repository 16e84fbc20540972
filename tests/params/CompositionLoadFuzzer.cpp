// Loads compositions from archives that the bytes build as group, value and end steps; a load
// that succeeds must save and load again to the same archive content.

#include "FuzzInput.h"
#include "ParamTestSupport.h"
#include "params/CMemoryArchive.h"
#include "params/CParamFunctionsComposition.h"

#include <cstdlib>

namespace {
const char* const g_names[] = { "functions", "itemCount", "item0", "item1", "item2", "item10", "isNull", "type",
    "content", "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };

// Writes the steps of one group until its end step or the end of input.
// Failed writes are part of what is fuzzed.
bool WriteGroup(CFuzzInput& input, IOutputArchive& archive)
{
    while (!input.AtEnd()) {
        const uint8_t step = input.Byte();
        const char* name = input.Pick(g_names);
        const int kind = step % 7;
        if (kind == 1) {
            return true;
        }
        CSaveFunction group([&](IOutputArchive& inner) { return WriteGroup(input, inner); });
        const int32_t number = kind != 2 ? 0 : (step & 0x80) ? input.Scalar<int32_t>() : input.Byte() % 4;
        const bool flag = (step & 0x80) != 0;
        const double real = kind == 5 ? input.Scalar<double>() : 0.0;
        const std::string text = kind == 4 ? input.Pick(g_paramClassIds) : kind == 6 ? input.Text(40) : "";
        static_cast<void>(kind == 0 ? archive.WriteObject(name, &group)
                : kind == 2         ? archive.WriteInt(name, &number)
                : kind == 3         ? archive.WriteBool(name, &flag)
                : kind == 5         ? archive.WriteDouble(name, &real)
                                    : archive.WriteString(name, text.c_str()));
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CMemoryArchive archive;
    static_cast<void>(WriteGroup(input, archive));

    CParamFunctionsComposition composition;
    if (!composition.Load(archive)) {
        if (composition.GetCount() != 0) {
            std::abort();
        }
        return 0;
    }
    static_cast<void>(composition.Evaluate(0.5f));
    CMemoryArchive saved, resaved;
    CParamFunctionsComposition reloaded;
    if (!composition.Save(saved) || !reloaded.Load(saved) || !reloaded.Save(resaved)
        || reloaded.GetCount() != composition.GetCount() || !saved.GetRoot().Equals(resaved.GetRoot())) {
        std::abort();
    }
    return 0;
}
