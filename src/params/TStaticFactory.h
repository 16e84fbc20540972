#pragma once

#include "params/CFactoryRegistry.h"
#include "params/IParamFunction.h"

#include <cstring>
#include <new>
#include <type_traits>

// The one factory making class T handed out as interface I (T itself or
// IParamFunction). Its instance is created on first use and lives until exit;
// `registered` is the result of registering it, set during static
// initialisation for every pair that the library registers.
template <class T, class I> class TStaticFactory final : public IFactory {
    static_assert(std::is_same_v<I, T> || std::is_same_v<I, IParamFunction>);

public:
    static constexpr const char* s_interfaceId
        = std::is_same_v<I, IParamFunction> ? IParamFunction::s_interfaceId : T::s_classId;

    static const bool registered;

    static TStaticFactory& GetInstance()
    {
        static TStaticFactory instance;
        return instance;
    }

    void* CreateInstance(const char* classId) override { return CreateInstance(classId, classId); }

    void* CreateInstance(const char* classId, const char* interfaceId) override
    {
        if (!classId || !interfaceId || std::strcmp(classId, T::s_classId) != 0
            || std::strcmp(interfaceId, s_interfaceId) != 0) {
            return nullptr;
        }
        I* object = new (std::nothrow) T;
        return object;
    }

    TStaticFactory(const TStaticFactory&) = delete;
    TStaticFactory& operator=(const TStaticFactory&) = delete;

private:
    TStaticFactory() = default;
};

template <class T, class I>
const bool TStaticFactory<T, I>::registered
    = CFactoryRegistry::GetInstance().Register(T::s_classId, s_interfaceId, &GetInstance());
