#include "CDXiMemoryRegistry.h"
#include "StoreBenchmark.h"

#include <string>

int main()
{
    CDXiMemoryRegistry registry;
    StoreBenchmarkRegistry target {
        registry,
        [&](const char* name, const char* description) {
            registry.SetString(std::string("MfxSoftSynths\\") + name, "Description", description);
        },
        [&] { registry.DeleteKey(registry.GetClassesRoot(), "MfxSoftSynths"); },
    };
    RunStoreBenchmark("in-memory registry", target);
    return 0;
}
