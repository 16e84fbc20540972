#include "runtime/CGUILock.h"

CGUILock::CGUILock()
{
    InitializeCriticalSection(&m_section);
}

CGUILock::~CGUILock()
{
    DeleteCriticalSection(&m_section);
}

void CGUILock::Lock()
{
    EnterCriticalSection(&m_section);
}

void CGUILock::Unlock()
{
    LeaveCriticalSection(&m_section);
}
