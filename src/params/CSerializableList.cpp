#include "params/CSerializableList.h"

#include "params/IArchive.h"

std::string CSerializableList::ItemKey(int32_t index) const
{
    return m_itemName + std::to_string(index);
}

bool CSerializableList::Save(IOutputArchive& archive)
{
    const int32_t count = static_cast<int32_t>(m_items.size());
    bool ok = archive.WriteInt((m_itemName + "Count").c_str(), &count);
    for (int32_t i = 0; i < count; ++i) {
        ok = archive.WriteObject(ItemKey(i).c_str(), &m_items[static_cast<size_t>(i)]) && ok;
    }
    return ok;
}

bool CSerializableList::Load(IInputArchive& archive)
{
    m_items.clear();
    int32_t count = 0;
    if (!archive.ReadInt((m_itemName + "Count").c_str(), &count) || count < 0) {
        return false;
    }
    // Grown one element at a time, never to the stored count up front, which
    // may be anything up to 2^31 - 1.
    for (int32_t i = 0; i < count; ++i) {
        CParamFunctionRef& item = m_items.emplace_back();
        if (!archive.ReadObject(ItemKey(i).c_str(), &item)) {
            return false;
        }
    }
    return true;
}
