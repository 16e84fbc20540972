#include "runtime/CGUIWindowClassRegistry.h"

#include "runtime/CGUILockGuard.h"

CGUIWindowClassRegistry& CGUIWindowClassRegistry::GetInstance()
{
    // A function-local static: built on first use by whichever thread comes
    // first, destroyed at process exit after everything constructed before it.
    static CGUIWindowClassRegistry registry;
    return registry;
}

CGUIWindowClassRegistry::~CGUIWindowClassRegistry()
{
    // Taken so that a registration still running on another thread completes
    // before the lock itself goes away with this object.
    CGUILockGuard guard(m_lock);
    for (const auto& [name, instance] : m_classes) {
        ::UnregisterClassA(name.GetText(), instance);
    }
    m_classes.clear();
}

bool CGUIWindowClassRegistry::ClassNameLess::operator()(const CGUIString& left, const CGUIString& right) const
{
    return lstrcmpiA(left.GetText(), right.GetText()) < 0;
}

bool CGUIWindowClassRegistry::RegisterClass(const WNDCLASSA& description)
{
    if (!description.lpszClassName || IS_INTRESOURCE(description.lpszClassName)) {
        return false;
    }
    if (::RegisterClassA(&description) == 0) {
        return false;
    }
    CGUILockGuard guard(m_lock);
    m_classes.emplace(CGUIString(description.lpszClassName), description.hInstance);
    return true;
}

bool CGUIWindowClassRegistry::IsRegistered(const char* className)
{
    if (!className) {
        return false;
    }
    CGUILockGuard guard(m_lock);
    return m_classes.find(CGUIString(className)) != m_classes.end();
}

int32_t CGUIWindowClassRegistry::GetCount()
{
    CGUILockGuard guard(m_lock);
    return static_cast<int32_t>(m_classes.size());
}
