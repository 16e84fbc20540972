#pragma once

#include "foundation/CGUINotifier.h"
#include "graphics/IGUIFontDescription.h"

#include <windows.h>

// A font description held as the native LOGFONTA, with a notifier fired by
// every setter that changes a value. A new description has the default
// character set, anti-aliased quality and an empty face name. Copies copy the
// description and start without listeners.
class CGUIFontDescription : public IGUIFontDescription {
public:
    CGUIFontDescription();

    void SetFaceName(const char* name) override;
    const char* GetFaceName() const override;
    void SetWidth(int32_t width) override;
    int32_t GetWidth() const override;
    void SetHeight(int32_t height) override;
    int32_t GetHeight() const override;
    void SetQuality(int32_t quality) override;
    int32_t GetQuality() const override;
    void SetWeight(int32_t weight) override;
    int32_t GetWeight() const override;
    void SetItalic(bool italic) override;
    bool IsItalic() const override;
    void SetUnderline(bool underline) override;
    bool IsUnderline() const override;
    void SetStrikeOut(bool strikeOut) override;
    bool IsStrikeOut() const override;
    // Non-finite angles are ignored.
    void SetAngle(float degrees) override;
    float GetAngle() const override;

    const LOGFONTA& GetDescription() const { return m_description; }
    // Replaces the whole description without notifying.
    void LoadDescription(const LOGFONTA& description);
    // Back to the defaults of a new description, without notifying.
    void ResetDescription();

    CGUINotifier& GetChangedNotifier() { return m_changed; }

private:
    template <class T, class U> void Store(T& field, U value);

    LOGFONTA m_description;
    CGUINotifier m_changed;
};
