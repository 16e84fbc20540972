#pragma once

#include "foundation/CGUIString.h"
#include "runtime/CGUILock.h"

#include <windows.h>

#include <cstdint>
#include <map>

// The process-wide record of the native window classes the framework
// registered. It is created on first use and, when the process ends,
// unregisters every class it registered (and only those), exactly once.
// Any thread may register; the map is changed only under the registry's lock.
class CGUIWindowClassRegistry {
public:
    static CGUIWindowClassRegistry& GetInstance();

    CGUIWindowClassRegistry(const CGUIWindowClassRegistry&) = delete;
    CGUIWindowClassRegistry& operator=(const CGUIWindowClassRegistry&) = delete;

    // Registers the class natively and remembers its name and instance.
    // False when the native registration fails, above all when the class
    // exists already; nothing is remembered then. Callers that only need the
    // class to exist may ignore a false result. Class names must be texts
    // (integer atoms are refused).
    [[nodiscard]] bool RegisterClass(const WNDCLASSA& description);

    // Whether the registry registered a class of this name (case-insensitive,
    // as the platform compares class names).
    [[nodiscard]] bool IsRegistered(const char* className);
    int32_t GetCount();

private:
    struct ClassNameLess {
        bool operator()(const CGUIString& left, const CGUIString& right) const;
    };

    CGUIWindowClassRegistry() = default;
    ~CGUIWindowClassRegistry();

    CGUILock m_lock;
    std::map<CGUIString, HINSTANCE, ClassNameLess> m_classes;
};
