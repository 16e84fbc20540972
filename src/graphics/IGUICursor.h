#pragma once

#include <windows.h>

// A mouse cursor whose native handle is shared by its copies.
class IGUICursor {
public:
    // Null when the cursor has no record.
    virtual HCURSOR GetHandle() const = 0;
    virtual HCURSOR GetHandle() = 0;
    // A new heap cursor sharing this one's handle (share count + 1); a cursor
    // without a record gives one with a new empty record. The caller owns it.
    virtual IGUICursor* Clone() const = 0;
    virtual IGUICursor* Clone() = 0;
    virtual ~IGUICursor() = default;
    // Lets go of the current handle and shares a new record holding cursor.
    virtual void SetHandle(HCURSOR cursor) = 0;
};
