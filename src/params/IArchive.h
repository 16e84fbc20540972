#pragma once

#include <cstdint>

class ISaveable;
class ILoadable;

// Writing side of a hierarchical store of named values. Names are
// NUL-terminated texts, unique within their group: writing a name again
// replaces its value. Every operation returns false when the value could not
// be stored.
class IOutputArchive {
public:
    // Stores a nested group under name and runs object's Save on it; the
    // result includes Save's.
    [[nodiscard]] virtual bool WriteObject(const char* name, ISaveable* object) = 0;
    // Stores size bytes (any content, NUL included).
    [[nodiscard]] virtual bool WriteBytes(const char* name, const void* data, int32_t size) = 0;
    [[nodiscard]] virtual bool WriteString(const char* name, const char* text) = 0;
    [[nodiscard]] virtual bool WriteDouble(const char* name, const double* value) = 0;
    [[nodiscard]] virtual bool WriteFloat(const char* name, const float* value) = 0;
    [[nodiscard]] virtual bool WriteInt(const char* name, const int32_t* value) = 0;
    [[nodiscard]] virtual bool WriteBool(const char* name, const bool* value) = 0;
    virtual ~IOutputArchive() = default;
};

// Reading side. A read fails (false, output untouched) when the name is
// missing from the current group or holds a value of another type.
class IInputArchive {
public:
    // Finds the nested group under name and runs object's Load on it; the
    // result includes Load's.
    [[nodiscard]] virtual bool ReadObject(const char* name, ILoadable* object) = 0;
    // On success *data is a new array (new[]) of *size bytes that the caller
    // frees with delete[]; null when the size is 0.
    [[nodiscard]] virtual bool ReadBytes(const char* name, char** data, int32_t* size) = 0;
    // On success *text is a new NUL-terminated text (new[]) that the caller
    // frees with delete[].
    [[nodiscard]] virtual bool ReadString(const char* name, char** text) = 0;
    [[nodiscard]] virtual bool ReadDouble(const char* name, double* value) = 0;
    [[nodiscard]] virtual bool ReadFloat(const char* name, float* value) = 0;
    [[nodiscard]] virtual bool ReadInt(const char* name, int32_t* value) = 0;
    [[nodiscard]] virtual bool ReadBool(const char* name, bool* value) = 0;
    virtual ~IInputArchive() = default;
};
