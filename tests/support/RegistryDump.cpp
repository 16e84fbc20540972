#include "RegistryDump.h"

#include <sstream>
#include <vector>

std::string DumpRegistryKey(HKEY key)
{
    std::ostringstream out;
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
            break;
        }
        out << "value '" << name.data() << "' type " << type << ":";
        for (DWORD i = 0; i < size; ++i) {
            out << ' ' << static_cast<int>(data[i]);
        }
        out << '\n';
    }
    for (DWORD index = 0;; ++index) {
        char childName[300];
        DWORD nameLength = sizeof(childName);
        if (RegEnumKeyExA(key, index, childName, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, childName, 0, KEY_READ, &child) != ERROR_SUCCESS) {
            out << "key '" << childName << "' unreadable\n";
            continue;
        }
        out << "key '" << childName << "' {\n" << DumpRegistryKey(child) << "}\n";
        RegCloseKey(child);
    }
    return out.str();
}
