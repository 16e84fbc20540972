#pragma once

#include "runtime/IGUICall.h"

// Carries calls to the thread that owns a window. A call passed with
// deleteWhenDone belongs to the invoker from the moment of the call: it is
// deleted after it ran, or as soon as it is known that it never will.
class IGUIThreadInvoker {
public:
    // Runs call on the owning thread and returns when it has run (at once when
    // called on that thread). True when the call ran.
    [[nodiscard]] virtual bool Invoke(IGUICall* call, bool deleteWhenDone) = 0;
    // Queues call behind the messages already queued for the owning thread
    // and returns at once. True when the call was queued.
    [[nodiscard]] virtual bool Post(IGUICall* call, bool deleteWhenDone) = 0;
    virtual ~IGUIThreadInvoker() = default;
};
