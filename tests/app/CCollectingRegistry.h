#pragma once

#include "app/CDXiWin32Registry.h"

#include <string>
#include <vector>

// The real registry with the error boxes collected instead of shown and the renames counted. The platform's rename
// can be forced where the registry would not use it (under Wine), or left out as where it is missing.
class CCollectingRegistry : public CDXiWin32Registry {
public:
    enum class Rename { AsTheProduct, Forced, Missing };
    using CDXiWin32Registry::CDXiWin32Registry;

    int32_t RenameKey(Key key, const char* subKey, const char* newName) override
    {
        const int32_t result = rename == Rename::Missing ? ERROR_CALL_NOT_IMPLEMENTED
            : rename == Rename::Forced                   ? CallRenameKey(key, subKey, newName)
                                                         : CDXiWin32Registry::RenameKey(key, subKey, newName);
        renames += result == ERROR_SUCCESS ? 1 : 0;
        return result;
    }
    void ShowError(const char* text) override { errorBoxes.emplace_back(text); }

    Rename rename = Rename::AsTheProduct;
    std::vector<std::string> errorBoxes;
    int renames = 0;
};
