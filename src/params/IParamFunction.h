#pragma once

#include "params/IPersistentObject.h"

// A mapping of one real number to another (a normalised position to a curved
// one, an amplitude ratio to decibels, a frequency to a filter response).
class IParamFunction : public virtual ISaveable,
                       public virtual ILoadable,
                       public virtual ISerializable,
                       public virtual IPersistentObject {
public:
    // The interface identifier under which every function class is also
    // registered in the factory registry.
    static constexpr const char* s_interfaceId = "{EC7456EE-AA8C-421c-B49E-3E5CA6519665}";

    // Pure: no side effects, no state kept between calls. Inputs outside the
    // function's domain give the IEEE result (NaN, infinities), unreported.
    virtual float Evaluate(float x) const = 0;
    // A new heap copy of the same class and settings, owned by the caller.
    virtual IParamFunction* Clone() const = 0;
};
