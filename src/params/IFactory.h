#pragma once

// Creates objects by class identifier, handed out through the interface that
// the caller names. Created objects belong to the caller.
class IFactory {
public:
    // The same as CreateInstance(classId, classId): the object as its own class.
    virtual void* CreateInstance(const char* classId) = 0;
    // A new object of classId seen as interfaceId (a pointer to that interface
    // part of it), or null when this factory does not make that pair.
    virtual void* CreateInstance(const char* classId, const char* interfaceId) = 0;
    virtual ~IFactory() = default;
};
