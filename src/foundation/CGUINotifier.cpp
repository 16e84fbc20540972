#include "foundation/CGUINotifier.h"

#include <cstddef>

CGUINotifier::CGUINotifier(const CGUINotifier&)
{
}

CGUINotifier& CGUINotifier::operator=(const CGUINotifier&)
{
    return *this;
}

CGUINotifier::~CGUINotifier()
{
    for (Walk* walk = m_walks; walk; walk = walk->outer) {
        walk->notifierDestroyed = true;
    }
}

void CGUINotifier::AddListener(IGUIListener* listener)
{
    m_entries.push_back({ listener, false });
}

void CGUINotifier::RemoveListener(IGUIListener* listener)
{
    if (listener) {
        RemoveEntries(listener);
    }
}

void CGUINotifier::RemoveAndRelease(IGUIListener*& listener, bool release)
{
    if (!listener) {
        return;
    }
    RemoveEntries(listener);
    if (release) {
        delete listener;
    }
    listener = nullptr;
}

void CGUINotifier::Clear()
{
    for (Entry& entry : m_entries) {
        entry.listener = nullptr;
    }
    PurgeRemoved();
}

void CGUINotifier::Notify()
{
    Walk walk { false, m_walks };
    m_walks = &walk;
    auto entry = m_entries.begin();
    for (std::size_t remaining = m_entries.size(); remaining > 0; --remaining, ++entry) {
        if (!entry->listener || entry->busy) {
            continue;
        }
        entry->busy = true;
        entry->listener->OnNotify();
        if (walk.notifierDestroyed) {
            return;
        }
        entry->busy = false;
    }
    m_walks = walk.outer;
    PurgeRemoved();
}

int32_t CGUINotifier::GetListenerCount() const
{
    int32_t count = 0;
    for (const Entry& entry : m_entries) {
        count += entry.listener ? 1 : 0;
    }
    return count;
}

void CGUINotifier::RemoveEntries(IGUIListener* listener)
{
    for (Entry& entry : m_entries) {
        if (entry.listener == listener) {
            entry.listener = nullptr;
        }
    }
    PurgeRemoved();
}

void CGUINotifier::PurgeRemoved()
{
    if (m_walks) {
        return;
    }
    m_entries.remove_if([](const Entry& entry) { return entry.listener == nullptr; });
}
