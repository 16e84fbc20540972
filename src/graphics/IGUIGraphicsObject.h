#pragma once

#include <windows.h>

// A framework object backed by a native GDI object that a drawing context can
// select (IGUIDrawContext::Select).
class IGUIGraphicsObject {
public:
    // A new independent copy; the caller owns it (null when out of memory).
    virtual IGUIGraphicsObject* Clone() const = 0;
    // The native object, made on demand; owned by this object.
    virtual HGDIOBJ GetHandle() const = 0;
    virtual HGDIOBJ GetHandle() = 0;
    virtual ~IGUIGraphicsObject() = default;
};
