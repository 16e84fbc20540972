#pragma once

#include "foundation/CGUINotifier.h"

#include <windows.h>

#include <cstdint>

// The reference-counted record through which copies of an image (or of a
// cursor) share one native handle. Listeners hear every change of the share
// count. An owning record deletes its bitmap when it is destroyed; a
// non-owning one (attached bitmaps, cursors) never releases its handle.
class CGUISharedBitmap : public CGUINotifier {
public:
    // A new record with share count 1; null when out of memory.
    static CGUISharedBitmap* Create(HANDLE handle, bool owns);
    // Drops one share: the count goes down, listeners are told, and the record
    // is destroyed at 0. record becomes null; a null record is ignored.
    static void Release(CGUISharedBitmap*& record);

    CGUISharedBitmap(const CGUISharedBitmap&) = delete;
    CGUISharedBitmap& operator=(const CGUISharedBitmap&) = delete;
    ~CGUISharedBitmap() override;

    HANDLE GetHandle() const { return m_handle; }
    int32_t GetShareCount() const { return m_shareCount; }
    // One more sharer; listeners are told.
    void AddShare();
    // Takes the handle out: the record keeps none and releases nothing.
    [[nodiscard]] HANDLE Detach();

private:
    CGUISharedBitmap(HANDLE handle, bool owns);

    HANDLE m_handle;
    int32_t m_shareCount = 1;
    bool m_owns;
};
