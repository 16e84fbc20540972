#pragma once

#include "params/CParamFunctionRef.h"

#include <string>
#include <vector>

// A temporary counted list of function references, written as
// <item>Count followed by groups <item>0, <item>1, ... (decimal, no leading
// zeros). It never owns the functions its references hold.
class CSerializableList final : public ISaveable, public ILoadable {
public:
    explicit CSerializableList(const char* itemName)
        : m_itemName(itemName)
    {
    }

    std::vector<CParamFunctionRef>& GetItems() { return m_items; }

    // Attempts every write; true only when all succeeded.
    [[nodiscard]] bool Save(IOutputArchive& archive) override;
    // Replaces the list by the stored one. A negative count fails. Reading
    // stops at the first element that fails, so a hostile count costs neither
    // memory nor time beyond the elements actually stored; the functions held
    // by the elements read so far are the caller's to destroy.
    [[nodiscard]] bool Load(IInputArchive& archive) override;

private:
    std::string ItemKey(int32_t index) const;

    std::string m_itemName;
    std::vector<CParamFunctionRef> m_items;
};
