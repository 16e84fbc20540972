#pragma once

#include "foundation/CGUINotifier.h"

#include <cstdint>

// The look a control takes: 0 disabled, 1 normal, 2 focused, 3 hovered.
class CGUIVisualState {
public:
    static constexpr int32_t kDisabled = 0;
    static constexpr int32_t kNormal = 1;
    static constexpr int32_t kFocused = 2;
    static constexpr int32_t kHovered = 3;

    // Notifies when the state changes.
    void Set(int32_t state)
    {
        if (state == m_state) {
            return;
        }
        m_state = state;
        m_notifier.Notify();
    }
    int32_t Get() const { return m_state; }
    CGUINotifier& GetNotifier() { return m_notifier; }

private:
    int32_t m_state = kNormal;
    CGUINotifier m_notifier;
};
