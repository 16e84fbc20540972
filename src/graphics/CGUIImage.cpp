#include "graphics/CGUIImage.h"

#include "graphics/CGUIMemoryDrawContext.h"

#include <new>

CGUIImage::CGUIImage(HBITMAP bitmap)
    : CGUIImage(bitmap, Ownership::Owned)
{
}

CGUIImage::CGUIImage(HBITMAP bitmap, Ownership ownership)
    : m_record(CGUISharedBitmap::Create(bitmap, ownership == Ownership::Owned))
    , m_ownership(ownership)
{
    // Without a record nobody would ever release an owned bitmap.
    if (!m_record && bitmap && ownership == Ownership::Owned) {
        DeleteObject(bitmap);
    }
}

CGUIImage::CGUIImage(CShare, CGUISharedBitmap* record)
    : m_record(record)
{
    if (m_record) {
        m_record->AddShare();
    } else {
        m_record = CGUISharedBitmap::Create(nullptr, true);
    }
}

CGUIImage::~CGUIImage()
{
    ReleaseRecord();
}

HBITMAP CGUIImage::GetHandle() const
{
    return m_record ? static_cast<HBITMAP>(m_record->GetHandle()) : nullptr;
}

HBITMAP CGUIImage::GetHandle()
{
    return static_cast<const CGUIImage*>(this)->GetHandle();
}

bool CGUIImage::GetBitmap(BITMAP& bitmap) const
{
    const HBITMAP handle = GetHandle();
    return handle && GetObjectA(handle, sizeof bitmap, &bitmap) != 0;
}

void CGUIImage::GetSize(CGUISize& size) const
{
    BITMAP bitmap {};
    size = GetBitmap(bitmap) ? CGUISize { bitmap.bmWidth, bitmap.bmHeight } : CGUISize {};
}

int32_t CGUIImage::GetBitsPerPixel() const
{
    BITMAP bitmap {};
    return GetBitmap(bitmap) ? bitmap.bmBitsPixel : 0;
}

const void* CGUIImage::GetBits() const
{
    BITMAP bitmap {};
    return GetBitmap(bitmap) ? bitmap.bmBits : nullptr;
}

void* CGUIImage::GetBits()
{
    return const_cast<void*>(static_cast<const CGUIImage*>(this)->GetBits());
}

IGUIDrawContext* CGUIImage::CreateDrawContext(IGUIDrawContext* reference) const
{
    // The context changes the pixels, not the image object: drawing into a
    // const image is how its owner paints through a read-only view of it.
    return const_cast<CGUIImage*>(this)->CreateDrawContext(reference);
}

IGUIDrawContext* CGUIImage::CreateDrawContext(IGUIDrawContext* reference)
{
    return new (std::nothrow) CGUIMemoryDrawContext(reference, *this);
}

CGUIImage* CGUIImage::Clone() const
{
    return new (std::nothrow) CGUIImageCopy(m_record);
}

CGUIImage* CGUIImage::Clone()
{
    return static_cast<const CGUIImage*>(this)->Clone();
}

CGUINotifier* CGUIImage::GetSharedBitmap()
{
    return m_record;
}

int32_t CGUIImage::GetShareCount() const
{
    return m_record ? m_record->GetShareCount() : 0;
}

void CGUIImage::SetHandle(HBITMAP bitmap)
{
    ReleaseRecord();
    m_record = CGUISharedBitmap::Create(bitmap, m_ownership == Ownership::Owned);
    if (!m_record && bitmap && m_ownership == Ownership::Owned) {
        DeleteObject(bitmap);
    }
}
