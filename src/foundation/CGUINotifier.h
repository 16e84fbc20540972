#pragma once

#include "foundation/IGUIListener.h"

#include <cstdint>
#include <list>

// One-to-many event source without data. Listeners are called in
// registration order, once per registration, and never re-entered: a listener
// that makes the same notifier fire from its own OnNotify is skipped by the
// nested notification. Listeners may be added or removed, and the notifier
// itself destroyed, from inside a notification.
class CGUINotifier {
public:
    CGUINotifier() = default;
    // A copy starts without listeners: listeners follow one object, not its copies.
    CGUINotifier(const CGUINotifier&);
    CGUINotifier& operator=(const CGUINotifier&);
    virtual ~CGUINotifier();

    // Non-owning; the same listener may be added more than once.
    void AddListener(IGUIListener* listener);
    // Removes every registration of listener; unknown listeners are ignored.
    void RemoveListener(IGUIListener* listener);
    // Removes listener, destroys it when release is set, and nulls the pointer.
    void RemoveAndRelease(IGUIListener*& listener, bool release);
    void Clear();

    // Calls every listener registered when the notification starts; listeners
    // added meanwhile are first called by the next one.
    void Notify();

    int32_t GetListenerCount() const;

private:
    struct Entry {
        IGUIListener* listener;
        bool busy;
    };
    // One per running Notify, innermost first, so that destruction can tell
    // every running walk to stop.
    struct Walk {
        bool notifierDestroyed;
        Walk* outer;
    };

    void RemoveEntries(IGUIListener* listener);
    void PurgeRemoved();

    // Entries removed during a walk are only emptied (listener null) and
    // erased when the outermost walk ends, so running walks stay valid.
    std::list<Entry> m_entries;
    Walk* m_walks = nullptr;
};
