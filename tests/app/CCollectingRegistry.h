#pragma once

#include "app/CDXiWin32Registry.h"

#include <string>
#include <vector>

// The real registry, with the error boxes collected instead of shown and the
// renames counted. The platform's rename can be forced where the registry
// would not use it (under Wine), or left out as where it is missing.
class CCollectingRegistry : public CDXiWin32Registry {
public:
    enum class Rename { AsTheProduct, Forced, Missing };

    explicit CCollectingRegistry(HKEY classesRoot, Rename rename = Rename::AsTheProduct)
        : CDXiWin32Registry(classesRoot)
        , m_rename(rename)
    {
    }

    int32_t RenameKey(Key key, const char* subKey, const char* newName) override
    {
        if (m_rename == Rename::Missing) {
            return ERROR_CALL_NOT_IMPLEMENTED;
        }
        const int32_t result = m_rename == Rename::Forced ? CallRenameKey(key, subKey, newName)
                                                          : CDXiWin32Registry::RenameKey(key, subKey, newName);
        renames += result == ERROR_SUCCESS ? 1 : 0;
        return result;
    }
    void ShowError(const char* text) override { errorBoxes.emplace_back(text); }

    std::vector<std::string> errorBoxes;
    int renames = 0;

private:
    Rename m_rename;
};
