#include "params/CParamFunctionsComposition.h"

#include "params/CSerializableList.h"
#include "params/IArchive.h"

#include <memory>

namespace {
// Nesting depth of the compositions being loaded on this thread.
thread_local int g_loadDepth = 0;

class CLoadDepthGuard {
public:
    CLoadDepthGuard() { ++g_loadDepth; }
    ~CLoadDepthGuard() { --g_loadDepth; }
    CLoadDepthGuard(const CLoadDepthGuard&) = delete;
    CLoadDepthGuard& operator=(const CLoadDepthGuard&) = delete;
};
} // namespace

CParamFunctionsComposition::CParamFunctionsComposition(int32_t count, bool owns)
    : m_entries(static_cast<size_t>(count > 0 ? count : 0), nullptr)
    , m_owns(owns)
{
}

CParamFunctionsComposition::~CParamFunctionsComposition()
{
    DestroyFrom(0);
}

void CParamFunctionsComposition::DestroyFrom(std::size_t first)
{
    if (!m_owns) {
        return;
    }
    for (size_t i = first; i < m_entries.size(); ++i) {
        delete m_entries[i];
        m_entries[i] = nullptr;
    }
}

void CParamFunctionsComposition::SetCount(int32_t count)
{
    const size_t newCount = static_cast<size_t>(count > 0 ? count : 0);
    if (newCount == m_entries.size()) {
        return;
    }
    DestroyFrom(newCount);
    m_entries.resize(newCount, nullptr);
    Notify();
}

IParamFunction* CParamFunctionsComposition::GetFunction(int32_t index) const
{
    return index >= 0 && index < GetCount() ? m_entries[static_cast<size_t>(index)] : nullptr;
}

bool CParamFunctionsComposition::SetFunction(int32_t index, IParamFunction* function)
{
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    IParamFunction*& entry = m_entries[static_cast<size_t>(index)];
    if (m_owns && entry != function) {
        delete entry;
    }
    entry = function;
    Notify();
    return true;
}

float CParamFunctionsComposition::Evaluate(float x) const
{
    float y = x;
    for (const IParamFunction* entry : m_entries) {
        if (entry) {
            y = entry->Evaluate(y);
        }
    }
    return y;
}

IParamFunction* CParamFunctionsComposition::Clone() const
{
    auto copy = std::make_unique<CParamFunctionsComposition>(GetCount(), true);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]) {
            copy->m_entries[i] = m_entries[i]->Clone();
        }
    }
    return copy.release();
}

bool CParamFunctionsComposition::Save(IOutputArchive& archive)
{
    CSerializableList list("item");
    list.GetItems().reserve(m_entries.size());
    for (IParamFunction* entry : m_entries) {
        list.GetItems().emplace_back(entry);
    }
    return archive.WriteObject("functions", &list);
}

bool CParamFunctionsComposition::Load(IInputArchive& archive)
{
    DestroyFrom(0);
    m_entries.clear();
    m_owns = true;

    // Each nested composition costs stack; a hostile archive could nest them
    // until the stack runs out.
    const CLoadDepthGuard depth;
    if (g_loadDepth > s_maxLoadDepth) {
        return false;
    }

    CSerializableList list("item");
    const bool ok = archive.ReadObject("functions", &list);
    for (const CParamFunctionRef& item : list.GetItems()) {
        if (ok) {
            m_entries.push_back(item.GetFunction());
        } else {
            delete item.GetFunction();
        }
    }
    return ok;
}
