#pragma once

#include "foundation/CGUINotifier.h"
#include "params/IParamDescription.h"

#include <cstdint>
#include <memory>

// A parameter's name, comment, kind, unit, bounds, default and value
// formatter, editable through IParamDescriptionEditor. Texts are owned copies
// (null allowed). Without a formatter of its own choosing the description
// owns a default one: "{value}", no unit prefixes, "%.0f" for kinds 0, 1 and 3
// and "%.2f" for any other kind.
class CParamDescription final : public virtual INamedObject,
                                public virtual IParamDescription,
                                public virtual IParamDescriptionEditor {
public:
    // formatter may be null (a default one is made and owned); otherwise it is
    // destroyed with the description when ownsFormatter is set.
    CParamDescription(const char* name, int kind, float min, float max, float defaultValue, const char* unit,
        const char* comment, IParamValueFormatter* formatter, bool ownsFormatter);
    CParamDescription(const CParamDescription&) = delete;
    CParamDescription& operator=(const CParamDescription&) = delete;
    ~CParamDescription() override;

    const char* GetName() const override { return m_name.get(); }
    const char* GetComment() const override { return m_comment.get(); }
    CGUINotifier& GetNotifier() override { return m_changes; }

    int GetKind() const override { return m_kind; }
    const char* GetUnit() const override { return m_unit.get(); }
    IParamValueFormatter* GetFormatter() const override { return m_formatter; }
    float GetMin() const override { return m_min; }
    float GetDefault() const override { return m_default; }
    float GetMax() const override { return m_max; }

    void SetKind(int kind) override;
    void SetName(const char* name) override;
    void SetUnit(const char* unit) override;
    void SetComment(const char* comment) override;
    void SetMin(float value) override;
    void SetDefault(float value) override;
    void SetMax(float value) override;
    void CopyFrom(IParamDescription& other) override;

    // The formatter a description of kind makes when it is given none.
    static IParamValueFormatter* MakeDefaultFormatter(int kind);

private:
    using Text = std::unique_ptr<char[]>;
    static Text CopyText(const char* text);
    void SetValue(float& field, float value);
    void ReplaceFormatter(IParamValueFormatter* formatter, bool owns);

    int32_t m_kind;
    Text m_name;
    Text m_unit;
    Text m_comment;
    float m_min;
    float m_max;
    float m_default;
    IParamValueFormatter* m_formatter = nullptr;
    bool m_ownsFormatter = false;
    CGUINotifier m_changes;
};
