#pragma once

#include "params/CFactoryRegistry.h"
#include "params/IArchive.h"
#include "params/IParamFunction.h"

#include <functional>
#include <memory>
#include <vector>

// One new object of every registered class, in registration order, with
// non-trivial settings (biquad coefficients, composition entries).
std::vector<std::unique_ptr<IParamFunction>> MakeOneOfEachClass();

// Writes whatever the given function writes: builds archives by hand.
class CSaveFunction final : public ISaveable {
public:
    explicit CSaveFunction(std::function<bool(IOutputArchive&)> save)
        : m_save(std::move(save))
    {
    }
    [[nodiscard]] bool Save(IOutputArchive& archive) override { return m_save(archive); }

private:
    std::function<bool(IOutputArchive&)> m_save;
};

// A parameter function whose instances are counted. Registered as
// CCountedFunction::s_classId (as IParamFunction); its Load fails unless the
// archive holds bool "ok" = true, so tests can make a load fail anywhere.
class CCountedFunction final : public IParamFunction {
public:
    static constexpr const char* s_classId = "{C0C0C0C0-0000-4000-8000-0000000000C0}";
    static int s_live;

    CCountedFunction() { ++s_live; }
    CCountedFunction(const CCountedFunction&) { ++s_live; }
    ~CCountedFunction() override { --s_live; }

    float Evaluate(float x) const override { return x + 1.0f; }
    IParamFunction* Clone() const override { return new CCountedFunction(*this); }
    const char* GetClassId() const override { return s_classId; }
    [[nodiscard]] bool Save(IOutputArchive& archive) override
    {
        const bool ok = true;
        return archive.WriteBool("ok", &ok);
    }
    [[nodiscard]] bool Load(IInputArchive& archive) override
    {
        bool ok = false;
        return archive.ReadBool("ok", &ok) && ok;
    }
};
