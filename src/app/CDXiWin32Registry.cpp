#include "app/CDXiWin32Registry.h"

#include <shlwapi.h>

#include <string>

namespace {
HKEY ToHandle(IDXiRegistry::Key key)
{
    return static_cast<HKEY>(key);
}

using RenameFunction = LONG(WINAPI*)(HKEY key, LPCWSTR subKey, LPCWSTR newName);

RenameFunction FindRenameFunction()
{
    const HMODULE library = GetModuleHandleA("advapi32.dll");
    // Through void*: the looked-up address has the type the export was made with.
    return library ? reinterpret_cast<RenameFunction>(reinterpret_cast<void*>(GetProcAddress(library, "RegRenameKey")))
                   : nullptr;
}

// Wine's rename moves a key to the wrong place in its parent's sorted list
// of sub-keys when it moves exactly one place on: a sibling drops out of the
// list and the key is listed twice, until the server fails.
bool IsRunningOnWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The conversion the A calls make of names: the ANSI code page, every byte.
bool ToWide(const char* text, std::wstring& wide)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length) == length;
}
} // namespace

IDXiRegistry::Key CDXiWin32Registry::GetClassesRoot() const
{
    return m_classesRoot;
}

int32_t CDXiWin32Registry::OpenKey(Key parent, const char* subKey, uint32_t access, Key* key)
{
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHandle(parent), subKey, 0, access, &opened);
    if (result == ERROR_SUCCESS) {
        *key = opened;
    }
    return result;
}

int32_t CDXiWin32Registry::EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength)
{
    DWORD length = *nameLength;
    const LONG result = RegEnumKeyExA(ToHandle(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    *nameLength = length;
    return result;
}

int32_t CDXiWin32Registry::EnumValue(
    Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data, uint32_t* size)
{
    DWORD length = *nameLength;
    DWORD valueType = 0;
    DWORD valueSize = *size;
    const LONG result = RegEnumValueA(ToHandle(key), index, name, &length, nullptr, &valueType, data, &valueSize);
    *nameLength = length;
    *type = valueType;
    *size = valueSize;
    return result;
}

int32_t CDXiWin32Registry::QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size)
{
    DWORD valueType = *type;
    DWORD valueSize = *size;
    const LONG result = RegQueryValueExA(ToHandle(key), valueName, nullptr, &valueType, data, &valueSize);
    *type = valueType;
    *size = valueSize;
    return result;
}

int32_t CDXiWin32Registry::CreateKey(Key parent, const char* subKey, Key* key)
{
    HKEY created = nullptr;
    const LONG result = RegCreateKeyA(ToHandle(parent), subKey, &created);
    if (result == ERROR_SUCCESS) {
        *key = created;
    }
    return result;
}

int32_t CDXiWin32Registry::CloseKey(Key key)
{
    return RegCloseKey(ToHandle(key));
}

int32_t CDXiWin32Registry::CopyKey(Key source, const char* subKey, Key destination)
{
    return static_cast<int32_t>(SHCopyKeyA(ToHandle(source), subKey, ToHandle(destination), 0));
}

int32_t CDXiWin32Registry::DeleteKey(Key parent, const char* subKey)
{
    return static_cast<int32_t>(SHDeleteKeyA(ToHandle(parent), subKey));
}

int32_t CDXiWin32Registry::RenameKey(Key key, const char* subKey, const char* newName)
{
    static const bool sound = !IsRunningOnWine();
    return sound ? CallRenameKey(key, subKey, newName) : ERROR_CALL_NOT_IMPLEMENTED;
}

int32_t CDXiWin32Registry::CallRenameKey(Key key, const char* subKey, const char* newName)
{
    static const RenameFunction rename = FindRenameFunction();
    if (!rename) {
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
    std::wstring wideSubKey;
    std::wstring wideNewName;
    if ((subKey && !ToWide(subKey, wideSubKey)) || !ToWide(newName, wideNewName)) {
        return ERROR_NO_UNICODE_TRANSLATION;
    }
    return rename(ToHandle(key), subKey ? wideSubKey.c_str() : nullptr, wideNewName.c_str());
}

bool CDXiWin32Registry::GetSystemMessage(int32_t code, CGUIString& text)
{
    char* buffer = nullptr;
    const DWORD length
        = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
            nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length != 0 && buffer) {
        text.Assign(buffer);
    }
    LocalFree(buffer);
    return length != 0;
}

void CDXiWin32Registry::ShowError(const char* text)
{
    MessageBoxA(nullptr, text, "Error", MB_ICONERROR);
}
