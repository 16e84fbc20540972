#pragma once

#include "foundation/CGUIString.h"

#include <cstdint>

// The platform operations the plug-in store needs, with the calling
// conventions of their Win32 counterparts (results are system error codes,
// 0 for success). The store runs unchanged against the real registry or an
// in-memory one.
class IDXiRegistry {
public:
    // An open key; a predefined root on Windows is a Key as well.
    using Key = void*;

    // The key that stands for HKEY_CLASSES_ROOT; never closed.
    virtual Key GetClassesRoot() const = 0;
    // RegOpenKeyExA: *key is set on success only.
    virtual int32_t OpenKey(Key parent, const char* subKey, uint32_t access, Key* key) = 0;
    // RegEnumKeyExA: nameLength is the buffer size in, the name's length out.
    virtual int32_t EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength) = 0;
    // RegEnumValueA: nameLength and size are the buffer sizes in, the name's
    // length and the stored byte count out. A data buffer too small gives
    // kMoreData with the needed size.
    virtual int32_t EnumValue(
        Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data, uint32_t* size)
        = 0;
    // RegQueryValueExA: size is the buffer size in, the stored byte count out.
    virtual int32_t QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size) = 0;
    // RegCreateKeyA: creates the key or opens an existing one, with full access.
    virtual int32_t CreateKey(Key parent, const char* subKey, Key* key) = 0;
    virtual int32_t CloseKey(Key key) = 0;
    // SHCopyKeyA: copies every value and sub-key of source (or of its subKey) into destination.
    virtual int32_t CopyKey(Key source, const char* subKey, Key destination) = 0;
    // SHDeleteKeyA: deletes subKey of parent with everything under it.
    virtual int32_t DeleteKey(Key parent, const char* subKey) = 0;
    // RegRenameKey: gives key (or its subKey, when not null) the name newName
    // under the same parent in one step, with all its values, sub-keys and
    // security; open handles stay valid. kCallNotImplemented where the
    // platform has no such call.
    virtual int32_t RenameKey(Key key, const char* subKey, const char* newName) = 0;
    // FormatMessageA: the system's text for code; false when it has none.
    virtual bool GetSystemMessage(int32_t code, CGUIString& text) = 0;
    // MessageBoxA without owner, caption "Error", error icon; returns when closed.
    virtual void ShowError(const char* text) = 0;

    virtual ~IDXiRegistry() = default;
};
