#pragma once

// A unit of work that a thread invoker runs on another thread.
class IGUICall {
public:
    virtual void Run() = 0;
    virtual ~IGUICall() = default;
};
