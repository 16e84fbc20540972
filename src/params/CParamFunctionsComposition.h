#pragma once

#include "foundation/CGUINotifier.h"
#include "params/ICountable.h"
#include "params/IObservable.h"
#include "params/IParamFunction.h"

#include <cstddef>
#include <vector>

// A chain of parameter functions: Evaluate passes its input through each
// entry in turn, skipping null entries. Entries are raw pointers; when the
// composition owns them it destroys the ones it removes and, at its own
// destruction, all of them. Changes of the entry list notify its listeners.
//
// Archive form: group "functions" with int "itemCount" and groups "item0",
// "item1", ..., each recorded by a function reference (CParamFunctionRef).
class CParamFunctionsComposition final : public IParamFunction,
                                         public CGUINotifier,
                                         public IObservable,
                                         public ICountable,
                                         public IResizable {
public:
    static constexpr const char* s_classId = "{C6B18AB7-10C4-46c3-975E-91255060ECA9}";
    // Deepest nesting of compositions inside compositions that Load accepts.
    static constexpr int s_maxLoadDepth = 64;

    // count null entries; the factory makes an empty, non-owning composition.
    explicit CParamFunctionsComposition(int32_t count = 0, bool owns = false);
    CParamFunctionsComposition(const CParamFunctionsComposition&) = delete;
    CParamFunctionsComposition& operator=(const CParamFunctionsComposition&) = delete;
    ~CParamFunctionsComposition() override;

    int32_t GetCount() const override { return static_cast<int32_t>(m_entries.size()); }
    // Nothing happens when count is the current count (a negative count is
    // taken as 0). Otherwise the entries from count on are dropped (destroyed
    // when owned), new entries are null, and the listeners are notified once.
    void SetCount(int32_t count) override;

    bool OwnsFunctions() const { return m_owns; }
    // The entry at index, or null when it is null or index is out of range.
    IParamFunction* GetFunction(int32_t index) const;
    // Replaces the entry at index and notifies; false (nothing changed) when
    // index is out of range. An owning composition destroys the previous
    // entry (unless it is function itself) and takes function over.
    bool SetFunction(int32_t index, IParamFunction* function);

    // x itself when there are no entries.
    float Evaluate(float x) const override;
    // A deep copy: same count, each entry cloned, owning its clones.
    IParamFunction* Clone() const override;
    const char* GetClassId() const override { return s_classId; }
    CGUINotifier& GetNotifier() override { return *this; }

    // Attempts every write even after a failure; true when all succeeded.
    [[nodiscard]] bool Save(IOutputArchive& archive) override;
    // Replaces all entries by the stored ones and owns them from then on,
    // without notifying. Any failure (a missing, mistyped or unregistered
    // item, a negative count, nesting deeper than s_maxLoadDepth) leaves the
    // composition empty, every function created so far destroyed once.
    [[nodiscard]] bool Load(IInputArchive& archive) override;

private:
    void DestroyFrom(std::size_t first);

    std::vector<IParamFunction*> m_entries;
    bool m_owns;
};
