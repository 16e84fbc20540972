#include "RegistryDump.h"

#include <sstream>

std::string DumpRegistryKey(HKEY parent, const std::string& name)
{
    HKEY key = nullptr;
    if (!parent || RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return "missing";
    }
    std::ostringstream out;
    std::vector<char> valueName(16384);
    std::vector<BYTE> data(65536);
    DWORD nameLength = static_cast<DWORD>(valueName.size()), type = 0, size = static_cast<DWORD>(data.size());
    for (DWORD index = 0;
         RegEnumValueA(key, index, valueName.data(), &nameLength, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
         ++index, nameLength = static_cast<DWORD>(valueName.size()), size = static_cast<DWORD>(data.size())) {
        out << "value '" << valueName.data() << "' type " << type << ":";
        for (DWORD i = 0; i < size; ++i) {
            out << ' ' << static_cast<int>(data[i]);
        }
        out << '\n';
    }
    for (const std::string& child : ListSubKeys(key)) {
        out << "key '" << child << "' {\n" << DumpRegistryKey(key, child) << "}\n";
    }
    RegCloseKey(key);
    return out.str();
}

std::vector<std::string> ListSubKeys(HKEY key)
{
    std::vector<std::string> names;
    char name[300];
    DWORD length = sizeof(name);
    for (DWORD index = 0;
         key && RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = sizeof(name)) {
        names.emplace_back(name, length);
    }
    return names;
}

bool AddTestInstrument(HKEY root, const std::string& name, const std::string& description)
{
    HKEY key = nullptr;
    HKEY child = nullptr;
    if (RegCreateKeyA(root, name.c_str(), &key) != ERROR_SUCCESS
        || RegCreateKeyA(key, "Programs\\Bank A\\Patch 1", &child) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    bool written = true;
    const auto set = [&](HKEY at, const char* value, DWORD type, const std::string& data) {
        written &= RegSetValueExA(
                       at, value, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()))
            == ERROR_SUCCESS;
    };
    using namespace std::string_literals;
    if (!description.empty()) {
        set(key, "Description", REG_SZ, description + '\0');
    }
    set(key, "HelpFilePath", REG_SZ, "C:\\Program Files\\Instruments\\" + description + ".chm"s + '\0');
    set(key, "HelpFileTopic", REG_DWORD, "\x2A\0\0\0"s);
    set(key, nullptr, REG_SZ, "default\0"s);
    set(key, "Path", REG_EXPAND_SZ, "%P%\0"s);
    set(key, "Blob", REG_BINARY, "\0\1\2\xFF\x80"s);
    set(key, "Big", REG_QWORD, "\1\2\3\4\5\6\7\x8"s);
    set(key, "List", REG_MULTI_SZ, "a\0bc\0\0"s);
    set(key, "Nothing", REG_NONE, "");
    set(child, "Level", REG_DWORD, "\x9\0\0\0"s);
    set(child, "Name", REG_SZ, "Pad\0"s);
    RegCloseKey(child);
    written &= RegCreateKeyA(key, "Empty", &child) == ERROR_SUCCESS;
    RegCloseKey(child);
    RegCloseKey(key);
    return written;
}
