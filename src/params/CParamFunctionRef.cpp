#include "params/CParamFunctionRef.h"

#include "params/CFactoryRegistry.h"
#include "params/IArchive.h"
#include "params/IParamFunction.h"

#include <memory>

bool CParamFunctionRef::Save(IOutputArchive& archive)
{
    const bool isNull = m_function == nullptr;
    const bool written = archive.WriteBool("isNull", &isNull);
    if (!written || isNull) {
        return written;
    }
    const char* classId = m_function->GetClassId();
    if (!classId) {
        return true;
    }
    if (!archive.WriteString("type", classId)) {
        return false;
    }
    return archive.WriteObject("content", m_function);
}

bool CParamFunctionRef::Load(IInputArchive& archive)
{
    m_function = nullptr;
    bool isNull = false;
    if (!archive.ReadBool("isNull", &isNull)) {
        return false;
    }
    if (isNull) {
        return true;
    }
    char* text = nullptr;
    if (!archive.ReadString("type", &text)) {
        return false;
    }
    const std::unique_ptr<char[]> type(text);
    std::unique_ptr<IParamFunction> function(static_cast<IParamFunction*>(
        CFactoryRegistry::GetInstance().CreateInstance(type.get(), IParamFunction::s_interfaceId)));
    if (!function || !archive.ReadObject("content", function.get())) {
        return false;
    }
    m_function = function.release();
    return true;
}
