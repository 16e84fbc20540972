// Composition loading from archives built from arbitrary bytes: the bytes are
// a little program of group, value and end-of-group steps over the names and
// class identifiers that compositions use. A load that succeeds must save and
// load again to the same archive content.

#include "FuzzInput.h"
#include "params/CMemoryArchive.h"
#include "params/CParamFunctionsComposition.h"
#include "params/IPersistentObject.h"

#include <cstdlib>

namespace {
const char* const g_names[] = { "functions", "itemCount", "item0", "item1", "item2", "item10", "isNull", "type",
    "content", "inputCoeff0", "inputCoeff1", "inputCoeff2", "outputCoeff1", "outputCoeff2", "invSampleRate" };

const char* const g_types[] = {
    "{83A9F6B1-2360-44f2-9EA2-C0A75A47A554}",
    "{F31A0DDB-1670-420a-AA0B-4AED41271DBC}",
    "{FB1F81BF-F8E7-40ba-8EBE-403988A2E994}",
    "{9C5BC273-DBD2-4900-B2C7-BAA8A4284487}",
    "{F5A5C4CC-51D6-49ec-A269-A3B2B1E8037E}",
    "{EAC674E4-4C25-46bd-8D83-F9BB83604BA7}",
    "{C6B18AB7-10C4-46c3-975E-91255060ECA9}",
    "{c6b18ab7-10c4-46c3-975e-91255060eca9}",
};

// Writes the steps of one group until its end step or the end of input.
class CFuzzGroup final : public ISaveable {
public:
    explicit CFuzzGroup(CFuzzInput& input)
        : m_input(input)
    {
    }

    [[nodiscard]] bool Save(IOutputArchive& archive) override
    {
        while (!m_input.AtEnd()) {
            const uint8_t step = m_input.Byte();
            const char* name = m_input.Pick(g_names);
            switch (step % 7) {
            case 0: {
                CFuzzGroup group(m_input);
                static_cast<void>(archive.WriteObject(name, &group));
                break;
            }
            case 1:
                return true;
            case 2: {
                const int32_t value = (step & 0x80) ? m_input.Scalar<int32_t>() : m_input.Byte() % 4;
                static_cast<void>(archive.WriteInt(name, &value));
                break;
            }
            case 3: {
                const bool value = (step & 0x80) != 0;
                static_cast<void>(archive.WriteBool(name, &value));
                break;
            }
            case 4:
                static_cast<void>(archive.WriteString(name, m_input.Pick(g_types)));
                break;
            case 5: {
                const double value = m_input.Scalar<double>();
                static_cast<void>(archive.WriteDouble(name, &value));
                break;
            }
            default:
                static_cast<void>(archive.WriteString(name, m_input.Text(40).c_str()));
                break;
            }
        }
        return true;
    }

private:
    CFuzzInput& m_input;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CMemoryArchive archive;
    CFuzzGroup root(input);
    static_cast<void>(root.Save(archive));

    CParamFunctionsComposition composition;
    if (!composition.Load(archive)) {
        if (composition.GetCount() != 0) {
            std::abort();
        }
        return 0;
    }
    static_cast<void>(composition.Evaluate(0.5f));
    CMemoryArchive saved;
    CMemoryArchive resaved;
    CParamFunctionsComposition reloaded;
    if (!composition.Save(saved) || !reloaded.Load(saved) || !reloaded.Save(resaved)) {
        std::abort();
    }
    if (reloaded.GetCount() != composition.GetCount() || !saved.GetRoot().Equals(resaved.GetRoot())) {
        std::abort();
    }
    return 0;
}
