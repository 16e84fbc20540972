#pragma once

#include "foundation/CGUILifetime.h"

#include <memory>

// Declared first in a handler that calls user code which may delete the
// object handling the message; asked after each such call:
//
//     const CGUILifetimeGuard guard(m_lifetime);
//     GetMouseListener()->OnLeftDown(event);
//     if (guard.IsGone()) {
//         return 0; // touch no member
//     }
//
// The guard may outlive the object and its lifetime.
class CGUILifetimeGuard {
public:
    explicit CGUILifetimeGuard(const CGUILifetime& lifetime)
        : m_token(lifetime.m_token)
    {
    }

    // True once the object's lifetime has ended.
    [[nodiscard]] bool IsGone() const { return m_token.expired(); }

private:
    std::weak_ptr<char> m_token;
};
