// Names none of the library's classes: every registration must still have run before main.

#include "ParamTestSupport.h"
#include "params/CFactoryRegistry.h"
#include "params/IParamFunction.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
struct CNullFactory final : IFactory {
    void* CreateInstance(const char*) override { return nullptr; }
    void* CreateInstance(const char*, const char*) override { return nullptr; }
};
} // namespace

TEST(Registration, AllThirtySixPairsExistBeforeMain)
{
    CFactoryRegistry& registry = CFactoryRegistry::GetInstance();
    CNullFactory probe;
    for (const char* id : g_paramClassIds) {
        SCOPED_TRACE(id);
        // A pair that is already registered refuses a second factory.
        EXPECT_FALSE(registry.Register(id, id, &probe));
        EXPECT_FALSE(registry.Register(id, IParamFunction::s_interfaceId, &probe));
        const std::unique_ptr<IParamFunction> function(
            static_cast<IParamFunction*>(registry.CreateInstance(id, IParamFunction::s_interfaceId)));
        ASSERT_NE(function, nullptr);
        EXPECT_STREQ(function->GetClassId(), id);
    }
}
