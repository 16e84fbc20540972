#pragma once

#include "params/CArchiveGroup.h"
#include "params/IArchive.h"

// A hierarchical named-value store held in memory, written and read through
// the archive interfaces. Reading and writing start at the root group;
// WriteObject and ReadObject descend into a nested group for the duration of
// the object's Save or Load. Nesting is limited to s_maxDepth groups below
// the root, so that a hostile or runaway structure fails instead of
// exhausting the stack. Operations given a null name, value or object fail.
class CMemoryArchive final : public IOutputArchive, public IInputArchive {
public:
    static constexpr int s_maxDepth = 256;

    CMemoryArchive() = default;
    CMemoryArchive(const CMemoryArchive&) = delete;
    CMemoryArchive& operator=(const CMemoryArchive&) = delete;

    const CArchiveGroup& GetRoot() const { return m_root; }

    [[nodiscard]] bool WriteObject(const char* name, ISaveable* object) override;
    [[nodiscard]] bool WriteBytes(const char* name, const void* data, int32_t size) override;
    [[nodiscard]] bool WriteString(const char* name, const char* text) override;
    [[nodiscard]] bool WriteDouble(const char* name, const double* value) override;
    [[nodiscard]] bool WriteFloat(const char* name, const float* value) override;
    [[nodiscard]] bool WriteInt(const char* name, const int32_t* value) override;
    [[nodiscard]] bool WriteBool(const char* name, const bool* value) override;

    [[nodiscard]] bool ReadObject(const char* name, ILoadable* object) override;
    [[nodiscard]] bool ReadBytes(const char* name, char** data, int32_t* size) override;
    [[nodiscard]] bool ReadString(const char* name, char** text) override;
    [[nodiscard]] bool ReadDouble(const char* name, double* value) override;
    [[nodiscard]] bool ReadFloat(const char* name, float* value) override;
    [[nodiscard]] bool ReadInt(const char* name, int32_t* value) override;
    [[nodiscard]] bool ReadBool(const char* name, bool* value) override;

private:
    template <class T> bool WriteScalar(const char* name, const T* value);
    template <class T> bool ReadScalar(const char* name, T* value) const;

    CArchiveGroup m_root;
    CArchiveGroup* m_writeGroup = &m_root;
    const CArchiveGroup* m_readGroup = &m_root;
    int m_depth = 0;
};
