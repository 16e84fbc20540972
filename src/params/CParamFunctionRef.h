#pragma once

#include "params/IPersistentObject.h"

class IParamFunction;

// A non-owning, nullable reference that records a parameter function by its
// class identifier: "isNull", then "type" (the class identifier) and a
// "content" group with the function's own values. Destroying the reference
// never destroys the function.
class CParamFunctionRef final : public ISaveable, public ILoadable {
public:
    explicit CParamFunctionRef(IParamFunction* function = nullptr)
        : m_function(function)
    {
    }

    IParamFunction* GetFunction() const { return m_function; }

    // A function without class identifier is written as "isNull" = false
    // alone, and reading it back fails.
    [[nodiscard]] bool Save(IOutputArchive& archive) override;
    // Creates the recorded function through the factory registry and loads
    // its content. On success the reference holds the new function, which the
    // caller takes over; on failure it holds null and nothing created
    // survives.
    [[nodiscard]] bool Load(IInputArchive& archive) override;

private:
    IParamFunction* m_function;
};
