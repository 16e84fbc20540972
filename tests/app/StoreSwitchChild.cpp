// Switches every instrument of a scratch key off and on until the registry tests kill it:
//   store_switch_child <scratch key under HKCU> <ready event>
#include "CCollectingRegistry.h"
#include "app/CDXiPluginStore.h"

int main(int argc, char** argv)
{
    HKEY scratch = nullptr;
    if (argc != 3 || RegOpenKeyExA(HKEY_CURRENT_USER, argv[1], 0, KEY_ALL_ACCESS, &scratch) != ERROR_SUCCESS) {
        return 2;
    }
    CCollectingRegistry registry(scratch);
    std::vector<CDXiPlugin> plugins;
    CDXiPluginStore(registry).ScanPlugins(plugins);
    const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!ready || !SetEvent(ready)) {
        return 3;
    }
    for (;;) {
        for (CDXiPlugin& plugin : plugins) {
            plugin.SetMidiEnabled(!plugin.IsMidiEnabled());
        }
    }
}
