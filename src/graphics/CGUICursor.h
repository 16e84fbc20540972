#pragma once

#include "graphics/CGUISharedBitmap.h"
#include "graphics/IGUICursor.h"

#include <cstdint>

// A cursor over a shared, reference-counted record. Cursor handles are
// borrowed: the framework uses the platform's shared system cursors, which
// must never be destroyed, so the last sharer lets go of the handle without
// destroying it. Whoever creates a cursor of its own destroys it after the
// last CGUICursor over it is gone.
class CGUICursor : public IGUICursor {
public:
    explicit CGUICursor(HCURSOR cursor);
    CGUICursor(const CGUICursor&) = delete;
    CGUICursor& operator=(const CGUICursor&) = delete;
    ~CGUICursor() override;

    HCURSOR GetHandle() const override;
    HCURSOR GetHandle() override;
    CGUICursor* Clone() const override;
    CGUICursor* Clone() override;
    void SetHandle(HCURSOR cursor) override;

    // How many cursors share the handle; 0 without a record.
    int32_t GetShareCount() const;
    // The record's notifier (told of every share count change), or null.
    CGUINotifier* GetSharedBitmap() { return m_record; }

protected:
    struct CShare { };
    // Shares record (share count + 1); null makes a new empty record.
    CGUICursor(CShare, CGUISharedBitmap* record);

    CGUISharedBitmap* GetRecord() const { return m_record; }
    void ReleaseRecord() { CGUISharedBitmap::Release(m_record); }

private:
    CGUISharedBitmap* m_record;
};

// A temporary wrapper that can hand its handle back.
class CGUIAttachedCursor : public CGUICursor {
public:
    explicit CGUIAttachedCursor(HCURSOR cursor)
        : CGUICursor(cursor)
    {
    }

    // Takes the handle out of the record and lets go of the record; the
    // wrapper has no record afterwards.
    HCURSOR Detach();
};

// A heap cursor over the system cursor id (IDC_ARROW, ...), owned by the
// caller and the only sharer of its record; null when it cannot be made.
CGUICursor* LoadSystemCursor(const char* id);
