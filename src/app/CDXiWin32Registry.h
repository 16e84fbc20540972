#pragma once

#include "app/IDXiRegistry.h"

#include <windows.h>

// The store's registry operations on the real Win32 registry. The key that
// stands for HKEY_CLASSES_ROOT can be another open key (tests work on a
// scratch key of their own); it is not owned.
class CDXiWin32Registry : public IDXiRegistry {
public:
    explicit CDXiWin32Registry(HKEY classesRoot = HKEY_CLASSES_ROOT)
        : m_classesRoot(classesRoot)
    {
    }

    Key GetClassesRoot() const override;
    int32_t OpenKey(Key parent, const char* subKey, uint32_t access, Key* key) override;
    int32_t EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength) override;
    int32_t EnumValue(Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data,
        uint32_t* size) override;
    int32_t QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size) override;
    int32_t CreateKey(Key parent, const char* subKey, Key* key) override;
    int32_t CloseKey(Key key) override;
    int32_t CopyKey(Key source, const char* subKey, Key destination) override;
    int32_t DeleteKey(Key parent, const char* subKey) override;
    // RegRenameKey where it exists (Vista on) and is sound: not under Wine,
    // whose rename (8.0) can corrupt the parent's list of sub-keys.
    int32_t RenameKey(Key key, const char* subKey, const char* newName) override;
    bool GetSystemMessage(int32_t code, CGUIString& text) override;
    void ShowError(const char* text) override;

protected:
    // RegRenameKey itself, looked up in advapi32 at run time; the names are
    // converted from the ANSI code page, as the A calls do.
    int32_t CallRenameKey(Key key, const char* subKey, const char* newName);

private:
    HKEY m_classesRoot;
};
