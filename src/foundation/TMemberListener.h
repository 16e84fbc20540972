#pragma once

#include "foundation/IGUIListener.h"

// A listener that calls one member function of an object; the object must
// outlive the listener's registrations.
template <class T> class TMemberListener final : public IGUIListener {
public:
    using Method = void (T::*)();

    TMemberListener(T& object, Method method)
        : m_object(object)
        , m_method(method)
    {
    }

    void OnNotify() override { (m_object.*m_method)(); }

private:
    T& m_object;
    Method m_method;
};
