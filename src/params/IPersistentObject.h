#pragma once

class IOutputArchive;
class IInputArchive;

// Writes the object's state into a named-value archive. Returns false when
// any write failed; the writes after a failure are still attempted.
class ISaveable {
public:
    [[nodiscard]] virtual bool Save(IOutputArchive& archive) = 0;
    virtual ~ISaveable() = default;
};

// Reads the object's state back from a named-value archive; false on any
// missing or mistyped value.
class ILoadable {
public:
    [[nodiscard]] virtual bool Load(IInputArchive& archive) = 0;
    virtual ~ILoadable() = default;
};

class ISerializable : public virtual ISaveable, public virtual ILoadable { };

// A serializable object that can be recreated by class identifier through the
// factory registry.
class IPersistentObject : public virtual ISaveable, public virtual ILoadable, public virtual ISerializable {
public:
    // The 38-character identifier of the concrete class; static text.
    virtual const char* GetClassId() const = 0;
};
