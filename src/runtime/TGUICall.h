#pragma once

#include "runtime/IGUICall.h"

#include <utility>

// A call object that runs a function object, for handing small pieces of work
// to a thread invoker: new TGUICall([=] { ... }).
template <class Function> class TGUICall : public IGUICall {
public:
    explicit TGUICall(Function function)
        : m_function(std::move(function))
    {
    }
    void Run() override { m_function(); }

private:
    Function m_function;
};
