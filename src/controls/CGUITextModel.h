#pragma once

#include "foundation/CGUINotifier.h"
#include "foundation/CGUIString.h"

// The text of a text control, with a notifier that fires on every SetText.
class CGUITextModel {
public:
    // Copies text (null empties it) and always notifies, also when the text
    // is unchanged, so that listeners can refit to it.
    void SetText(const char* text);
    // Never null; the shared empty text when the text is empty.
    const char* GetText() const { return m_text.GetText(); }
    CGUINotifier& GetNotifier() { return m_notifier; }

private:
    CGUIString m_text;
    CGUINotifier m_notifier;
};
