#pragma once

#include "graphics/CGUISharedBitmap.h"
#include "graphics/IGUIImage.h"

// An image over a shared bitmap record. The image owns its bitmap through the
// record: the bitmap is deleted when the last image sharing it lets go.
class CGUIImage : public IGUIImage, public IGUISharedImage {
public:
    // Takes ownership of bitmap (may be null).
    explicit CGUIImage(HBITMAP bitmap);
    CGUIImage(const CGUIImage&) = delete;
    CGUIImage& operator=(const CGUIImage&) = delete;
    ~CGUIImage() override;

    HBITMAP GetHandle() const override;
    HBITMAP GetHandle() override;
    void GetSize(CGUISize& size) const override;
    int32_t GetBitsPerPixel() const override;
    const void* GetBits() const override;
    void* GetBits() override;
    IGUIDrawContext* CreateDrawContext(IGUIDrawContext* reference) const override;
    IGUIDrawContext* CreateDrawContext(IGUIDrawContext* reference) override;

    CGUIImage* Clone() const override;
    CGUIImage* Clone() override;
    CGUINotifier* GetSharedBitmap() override;
    int32_t GetShareCount() const override;

    // Lets go of the current bitmap (deleted when no other image shares it)
    // and takes bitmap in a new record of its own.
    void SetHandle(HBITMAP bitmap);

protected:
    enum class Ownership { Owned, Borrowed };
    CGUIImage(HBITMAP bitmap, Ownership ownership);
    struct CShare { };
    // Shares record (share count + 1); null gives an image without a bitmap.
    CGUIImage(CShare, CGUISharedBitmap* record);

    CGUISharedBitmap* GetRecord() const { return m_record; }
    void ReleaseRecord() { CGUISharedBitmap::Release(m_record); }

private:
    bool GetBitmap(BITMAP& bitmap) const;

    CGUISharedBitmap* m_record = nullptr;
    Ownership m_ownership = Ownership::Owned;
};

// The result of Clone: shares the record of the image it was cloned from.
class CGUIImageCopy : public CGUIImage {
public:
    explicit CGUIImageCopy(CGUISharedBitmap* record)
        : CGUIImage(CShare {}, record)
    {
    }
};
