#pragma once

#include <windows.h>

class CGUILockGuard;

// The framework's mutual-exclusion object over a platform critical section;
// recursive for the thread that holds it. It is taken only through a
// CGUILockGuard, so every Lock has its Unlock in the same scope. Whoever owns a
// lock destroys it only after the last guard on it has ended (the owner takes
// the lock once more in its own destructor before it lets the lock go).
class CGUILock {
public:
    CGUILock();
    CGUILock(const CGUILock&) = delete;
    CGUILock& operator=(const CGUILock&) = delete;
    virtual ~CGUILock();

private:
    friend class CGUILockGuard;

    virtual void Lock();
    virtual void Unlock();

    CRITICAL_SECTION m_section;
};
