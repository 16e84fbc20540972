#pragma once

#include "app/IDXiRegistry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// An in-memory registry with the behaviour the store relies on from the real
// one: case-insensitive key names, sub-keys enumerated in name order, typed
// values, access checks, keys deleted under an open handle, renames that keep
// handles valid. For tests and benchmarks
// it counts open handles, records the calls, injects failures, stops like a
// killed process and collects the error boxes.
class CDXiMemoryRegistry : public IDXiRegistry {
public:
    // Any stands for every operation: a fault on it counts all calls.
    enum class Operation { Any, Open, Enum, EnumValue, Query, Create, Close, Copy, Delete, Rename };

    struct Value {
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };

    CDXiMemoryRegistry();
    ~CDXiMemoryRegistry() override;

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
    int32_t RenameKey(Key key, const char* subKey, const char* newName) override;
    bool GetSystemMessage(int32_t code, CGUIString& text) override;
    void ShowError(const char* text) override;

    // Test set-up, with paths below HKEY_CLASSES_ROOT separated by backslashes.
    void AddKey(const std::string& path) { MakePath(path); }
    void SetValue(const std::string& path, const std::string& name, uint32_t type, std::vector<uint8_t> data);
    void SetString(const std::string& path, const std::string& name, const std::string& text);

    // Inspection: whether a key exists, its sub-key names in enumeration
    // order, and a dump of everything under it (names, types, data), equal
    // for equal content.
    bool HasKey(const std::string& path) const { return FindKey(path) != nullptr; }
    std::vector<std::string> GetSubKeyNames(const std::string& path) const;
    std::string DumpTree(const std::string& path) const;

    // The nth call (1 = the next one) of operation fails with code. A failing
    // copy or tree delete first does its first steps (values and keys, one
    // step each; a copy goes top-down, a delete bottom-up); other calls fail
    // without effect.
    void FailCall(Operation operation, int nth, int32_t code, int steps = 0)
    {
        m_faults.push_back({ operation, nth, code, steps });
    }
    // After the next `calls` registry calls every call fails, as if the
    // process had been killed there; a copy or tree delete in progress then
    // does its first `steps` steps only. Restart() then forgets the open handles, faults and the
    // stop, as a new process finds the registry.
    void StopAfterCalls(int calls, int steps);
    void Restart();
    // Unsupported, renames fail with kCallNotImplemented, as where the
    // platform lacks them.
    void SetRenameSupported(bool supported) { m_renameSupported = supported; }
    // Deletions report success and delete nothing, like a registry view that
    // keeps listing a key it has just deleted.
    void SetDeletionsIgnored(bool ignored) { m_deletionsIgnored = ignored; }

    int GetOpenHandleCount() const { return static_cast<int>(m_handles.size()); }
    // Registry calls made so far (the error text and box are no registry calls).
    int GetCallCount() const { return m_callCount; }
    const std::vector<std::string>& GetErrorBoxes() const { return m_errorBoxes; }
    // Every registry call with its arguments ("Open <sub-key> <access in
    // hex>", "Close <the closed key's sub-key>", ...), when enabled; nothing
    // is built while it is not.
    void SetRecording(bool recording) { m_recording = recording; }
    const std::vector<std::string>& GetCalls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    struct Node;
    struct Handle {
        std::shared_ptr<Node> node;
        uint32_t access;
        // The sub-key path it was opened with, for the recorded calls.
        std::string name;
    };
    struct Fault {
        Operation operation;
        int remaining;
        int32_t code;
        int steps;
    };

    // The node a handle refers to and its rights; the root has every right.
    int32_t Resolve(Key key, uint32_t neededAccess, std::shared_ptr<Node>& node) const;
    int32_t FindPath(const std::shared_ptr<Node>& from, const char* path, std::shared_ptr<Node>& node) const;
    // Resolve, then FindPath from the resolved key.
    int32_t FindKey(Key parent, uint32_t neededAccess, const char* subKey, std::shared_ptr<Node>& node) const;
    Key AddHandle(std::shared_ptr<Node> node, uint32_t access, const char* name);
    // Counts and records the call; the code it must fail with, or 0. steps
    // is how much of its work a failing call still does.
    template <typename... Arguments>
    int32_t BeginPartialCall(Operation operation, int& steps, const Arguments&... arguments);
    template <typename... Arguments> int32_t BeginCall(Operation operation, const Arguments&... arguments);
    std::shared_ptr<Node> MakePath(const std::string& path);
    std::shared_ptr<Node> FindKey(const std::string& path) const;

    std::shared_ptr<Node> m_root;
    std::map<Key, Handle> m_handles;
    uintptr_t m_nextHandle = 0x1000;
    std::vector<Fault> m_faults;
    int m_callCount = 0;
    int m_stopAfter = -1;
    int m_stopSteps = 0;
    bool m_renameSupported = true;
    bool m_deletionsIgnored = false;
    bool m_recording = false;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_errorBoxes;
};
