#pragma once

#include "app/IDXiRegistry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An in-memory registry with what the store relies on from the real one: case-sensitive sub-keys enumerated in
// name order, typed values, access rights, keys deleted under an open handle, renames that keep handles valid.
// It counts open handles, records the calls, injects failures and collects the error boxes.
class CDXiMemoryRegistry : public IDXiRegistry {
public:
    CDXiMemoryRegistry();

    Key GetClassesRoot() const override { return reinterpret_cast<Key>(uintptr_t { 0x80000000u }); }
    int32_t OpenKey(Key parent, const char* subKey, uint32_t access, Key* key) override;
    int32_t EnumKey(Key key, uint32_t index, char* name, uint32_t* nameLength) override;
    int32_t EnumValue(Key key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type, uint8_t* data,
        uint32_t* size) override;
    int32_t QueryValue(Key key, const char* valueName, uint32_t* type, uint8_t* data, uint32_t* size) override;
    int32_t CreateKey(Key parent, const char* subKey, Key* key) override;
    int32_t CloseKey(Key key) override;
    int32_t CopyKey(Key source, const char* subKey, Key destination) override;
    int32_t DeleteKey(Key parent, const char* subKey) override;
    int32_t RenameKey(Key key, const char* subKey, const char* newName) override;
    bool GetSystemMessage(int32_t code, CGUIString& text) override;
    void ShowError(const char* text) override { m_errorBoxes.emplace_back(text); }

    // Set-up and inspection by paths below HKEY_CLASSES_ROOT; the dump (values with type and bytes, sub-keys) is
    // equal for equal content.
    void AddKey(const std::string& path);
    void SetValue(const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> data);
    void SetString(const std::string& path, const std::string& name, const std::string& text)
    {
        SetValue(path, name, 1, std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
    }
    std::vector<std::string> GetSubKeyNames(const std::string& path) const;
    std::string DumpTree(const std::string& path) const;

    // The nth call (1 = the next one) of operation ("Open", "Delete", ...; "" for any) fails with code. A failing
    // copy or tree delete first does `steps` steps (a value or key each; a copy goes top-down, a delete bottom-up).
    void FailCall(const std::string& operation, int nth, int32_t code, int steps = 0)
    {
        m_faults.push_back({ operation, nth, code, steps, false });
    }
    // After `calls` more calls every call fails as if the process had been killed there, `steps` steps into the
    // copy or delete it was in. Restart() forgets handles and faults, as a new process would.
    void StopAfterCalls(int calls, int steps) { m_faults.push_back({ "", calls + 1, kProcessAborted, steps, true }); }
    void Restart();
    // Where false, renames fail with kCallNotImplemented, as where the platform lacks them.
    bool renameSupported = true;
    // Deletions report success and delete nothing, like a registry view that keeps listing a deleted key.
    bool deletionsIgnored = false;

    int GetOpenHandleCount() const { return static_cast<int>(m_handles.size()) - 1; }
    const std::vector<std::string>& GetErrorBoxes() const { return m_errorBoxes; }
    // From now on every call with its arguments: "Open <sub-key> <access in hex>", "Close <the sub-key it was
    // opened by>", ...
    void StartRecording() { m_calls.emplace(); }
    const std::vector<std::string>& GetCalls() const { return m_calls.value(); }

private:
    // What the calls of a killed process get (they get nothing, in truth).
    static constexpr int32_t kProcessAborted = 1067;
    struct Node;
    struct Handle {
        std::shared_ptr<Node> node;
        uint32_t access;
        std::string name;
    };
    struct Fault {
        std::string operation;
        int remaining;
        int32_t code;
        int steps;
        bool lasting;
    };

    // Counts and records the call; the code it fails with, or 0, and in m_steps how much of its work a failing
    // copy or delete still does.
    template <typename... Arguments> int32_t Count(const char* operation, const Arguments&... arguments);
    // subKey under the open key, which needs the given rights.
    int32_t Find(Key key, uint32_t neededAccess, const char* subKey, std::shared_ptr<Node>& node) const;
    Key AddHandle(std::shared_ptr<Node> node, uint32_t access, const char* name);

    std::shared_ptr<Node> m_root;
    std::map<Key, Handle> m_handles;
    uintptr_t m_nextHandle = 0x1000;
    std::vector<Fault> m_faults;
    int m_steps = -1;
    std::optional<std::vector<std::string>> m_calls;
    std::vector<std::string> m_errorBoxes;
};
