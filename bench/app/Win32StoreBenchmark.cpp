#include "StoreBenchmark.h"
#include "app/CDXiWin32Registry.h"

#include <shlwapi.h>

#include <cstring>
#include <string>

int main()
{
    // A scratch key of this process stands in for HKEY_CLASSES_ROOT.
    const std::string scratchPath = "Software\\DXiManagerBench\\" + std::to_string(GetCurrentProcessId());
    HKEY scratch = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, scratchPath.c_str(), &scratch) != ERROR_SUCCESS) {
        return 1;
    }
    CDXiWin32Registry registry(scratch);
    StoreBenchmarkRegistry target {
        registry,
        [&](const char* name, const char* description) {
            HKEY key = nullptr;
            const std::string path = std::string("MfxSoftSynths\\") + name;
            if (RegCreateKeyA(scratch, path.c_str(), &key) == ERROR_SUCCESS) {
                RegSetValueExA(key, "Description", 0, REG_SZ, reinterpret_cast<const BYTE*>(description),
                    static_cast<DWORD>(std::strlen(description) + 1));
                RegCloseKey(key);
            }
        },
        [&] { SHDeleteKeyA(scratch, "MfxSoftSynths"); },
    };
    RunStoreBenchmark("Wine registry", target);
    RegCloseKey(scratch);
    SHDeleteKeyA(HKEY_CURRENT_USER, scratchPath.c_str());
    return 0;
}
