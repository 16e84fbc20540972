#pragma once

#include <memory>

// The life of an object as its guards (CGUILifetimeGuard) see it. An object
// whose handlers call user code that may delete it holds one as a member and
// ends it first thing in its destructor (End), so that a handler on the stack
// learns that the object went away even before its members are destroyed.
class CGUILifetime {
public:
    CGUILifetime() = default;
    CGUILifetime(const CGUILifetime&) = delete;
    CGUILifetime& operator=(const CGUILifetime&) = delete;
    ~CGUILifetime() = default;

    // Every guard taken on this lifetime reports IsGone from now on.
    void End() { m_token.reset(); }

private:
    friend class CGUILifetimeGuard;

    std::shared_ptr<char> m_token = std::make_shared<char>();
};
