#pragma once

#include "runtime/CGUILock.h"

#include <cstddef>

// Holds a CGUILock for the guard's scope. It can be neither copied, moved nor
// allocated on the heap, so the lock is always released by the scope that took it.
class CGUILockGuard {
public:
    explicit CGUILockGuard(CGUILock& lock)
        : m_lock(lock)
    {
        m_lock.Lock();
    }
    ~CGUILockGuard() { m_lock.Unlock(); }

    CGUILockGuard(const CGUILockGuard&) = delete;
    CGUILockGuard& operator=(const CGUILockGuard&) = delete;
    static void* operator new(std::size_t) = delete;
    static void* operator new[](std::size_t) = delete;

private:
    CGUILock& m_lock;
};
