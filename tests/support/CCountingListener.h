#pragma once

#include "foundation/CGUINotifier.h"

// Counts the notifications of a notifier while it lives.
class CCountingListener final : public IGUIListener {
public:
    explicit CCountingListener(CGUINotifier& notifier)
        : m_notifier(notifier)
    {
        notifier.AddListener(this);
    }
    CCountingListener(const CCountingListener&) = delete;
    ~CCountingListener() override { m_notifier.RemoveListener(this); }
    void OnNotify() override { ++count; }

    int count = 0;

private:
    CGUINotifier& m_notifier;
};
