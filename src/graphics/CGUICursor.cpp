#include "graphics/CGUICursor.h"

#include <atomic>
#include <new>

namespace {
// The system's cursor ids run from IDC_ARROW to IDC_HELP.
constexpr uintptr_t kFirstSystemCursor = 32512;
constexpr uintptr_t kSystemCursorCount = 32651 - kFirstSystemCursor + 1;
} // namespace

CGUICursor::CGUICursor(HCURSOR cursor)
    : m_record(CGUISharedBitmap::Create(cursor, false))
{
}

CGUICursor::CGUICursor(CShare, CGUISharedBitmap* record)
    : m_record(record)
{
    if (m_record) {
        m_record->AddShare();
    } else {
        m_record = CGUISharedBitmap::Create(nullptr, false);
    }
}

CGUICursor::~CGUICursor()
{
    ReleaseRecord();
}

HCURSOR CGUICursor::GetHandle() const
{
    return m_record ? static_cast<HCURSOR>(m_record->GetHandle()) : nullptr;
}

HCURSOR CGUICursor::GetHandle()
{
    return static_cast<const CGUICursor*>(this)->GetHandle();
}

CGUICursor* CGUICursor::Clone() const
{
    return new (std::nothrow) CGUICursor(CShare {}, m_record);
}

CGUICursor* CGUICursor::Clone()
{
    return static_cast<const CGUICursor*>(this)->Clone();
}

void CGUICursor::SetHandle(HCURSOR cursor)
{
    ReleaseRecord();
    m_record = CGUISharedBitmap::Create(cursor, false);
}

int32_t CGUICursor::GetShareCount() const
{
    return m_record ? m_record->GetShareCount() : 0;
}

HCURSOR CGUIAttachedCursor::Detach()
{
    CGUISharedBitmap* record = GetRecord();
    if (!record) {
        return nullptr;
    }
    const auto cursor = static_cast<HCURSOR>(record->Detach());
    ReleaseRecord();
    return cursor;
}

CGUICursor* LoadSystemCursor(const char* id)
{
    // A system cursor is shared and lives as long as the process, and looking
    // one up costs round trips to the window server under Wine (every control
    // starts with the arrow): each is looked up once. Threads that race look
    // up the same handle.
    static std::atomic<HCURSOR> loaded[kSystemCursorCount];
    const uintptr_t index = reinterpret_cast<uintptr_t>(id) - kFirstSystemCursor;
    HCURSOR cursor = index < kSystemCursorCount ? loaded[index].load() : nullptr;
    if (!cursor) {
        cursor = LoadCursorA(nullptr, id);
        if (index < kSystemCursorCount) {
            loaded[index].store(cursor);
        }
    }
    CGUIAttachedCursor temporary(cursor);
    return temporary.Clone();
}
