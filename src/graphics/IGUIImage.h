#pragma once

#include "graphics/CGUISize.h"

#include <windows.h>

#include <cstdint>

class CGUINotifier;
class IGUIDrawContext;

// A native bitmap wrapped as a framework image. Queries of an image without a
// bitmap (or when the platform call fails) give {0, 0}, 0 and null.
class IGUIImage {
public:
    virtual HBITMAP GetHandle() const = 0;
    virtual HBITMAP GetHandle() = 0;
    virtual void GetSize(CGUISize& size) const = 0;
    virtual int32_t GetBitsPerPixel() const = 0;
    // The pixel memory of a DIB section; null for other bitmaps.
    virtual const void* GetBits() const = 0;
    virtual void* GetBits() = 0;
    // A new memory drawing context that draws into this image; the caller
    // deletes it before the image. reference (may be null) gives the device
    // the memory context is compatible with. Null when out of memory.
    virtual IGUIDrawContext* CreateDrawContext(IGUIDrawContext* reference) const = 0;
    virtual IGUIDrawContext* CreateDrawContext(IGUIDrawContext* reference) = 0;
    virtual ~IGUIImage() = default;
};

// An image whose native bitmap is shared by its copies through a
// reference-counted record.
class IGUISharedImage {
public:
    // A new image sharing this image's bitmap (share count + 1), or a new
    // empty image when this one has no record; the caller owns it.
    virtual IGUIImage* Clone() const = 0;
    virtual IGUIImage* Clone() = 0;
    // The record's notifier (told of every share count change), or null.
    virtual CGUINotifier* GetSharedBitmap() = 0;
    // How many images share the bitmap; 0 without a record.
    virtual int32_t GetShareCount() const = 0;
    virtual ~IGUISharedImage() = default;
};
