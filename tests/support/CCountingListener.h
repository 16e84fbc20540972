#pragma once

#include "foundation/CGUINotifier.h"

// Counts notifications. Given a notifier, it listens to it for its lifetime;
// otherwise the test adds it where it wants.
class CCountingListener final : public IGUIListener {
public:
    CCountingListener() = default;
    explicit CCountingListener(CGUINotifier& notifier)
        : m_notifier(&notifier)
    {
        notifier.AddListener(this);
    }
    CCountingListener(const CCountingListener&) = delete;
    CCountingListener& operator=(const CCountingListener&) = delete;
    ~CCountingListener() override
    {
        if (m_notifier) {
            m_notifier->RemoveListener(this);
        }
    }

    void OnNotify() override { ++count; }

    int count = 0;

private:
    CGUINotifier* m_notifier = nullptr;
};
