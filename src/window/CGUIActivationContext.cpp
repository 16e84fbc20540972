#include "window/CGUIActivationContext.h"

#include "runtime/GUIModule.h"

#include <vector>

namespace {
// The manifest resource of a module that runs isolated from its host process
// (ISOLATIONAWARE_MANIFEST_RESOURCE_ID).
const WORD kIsolationAwareManifestId = 2;

// The module's own context, made on first use and released at process exit.
struct CModuleContext {
    // INVALID_HANDLE_VALUE when the module has no manifest of its own, null
    // when its manifest could not be turned into a context.
    HANDLE handle;
    ~CModuleContext()
    {
        if (handle && handle != INVALID_HANDLE_VALUE) {
            ReleaseActCtx(handle);
        }
    }
};

HANDLE ModuleContext()
{
    static const CModuleContext context { [] {
        const HMODULE module = GetModuleInstance();
        if (!FindResourceA(module, MAKEINTRESOURCEA(kIsolationAwareManifestId), MAKEINTRESOURCEA(24))) {
            return INVALID_HANDLE_VALUE;
        }
        std::vector<char> path(MAX_PATH);
        while (GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size())) == path.size()) {
            path.resize(path.size() * 2);
        }
        ACTCTXA description {};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = path.data();
        description.lpResourceName = MAKEINTRESOURCEA(kIsolationAwareManifestId);
        description.hModule = module;
        const HANDLE created = CreateActCtxA(&description);
        return created == INVALID_HANDLE_VALUE ? static_cast<HANDLE>(nullptr) : created;
    }() };
    return context.handle;
}
} // namespace

CGUIActivationContext::CGUIActivationContext()
    : CGUIActivationContext(ModuleContext())
{
}

CGUIActivationContext::CGUIActivationContext(HANDLE context)
{
    if (context == INVALID_HANDLE_VALUE) {
        m_active = true;
        return;
    }
    if (context && ActivateActCtx(context, &m_cookie)) {
        m_active = true;
        m_activated = true;
    }
}

CGUIActivationContext::~CGUIActivationContext()
{
    if (m_activated) {
        DeactivateActCtx(0, m_cookie);
    }
}
