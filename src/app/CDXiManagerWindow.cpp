#include "CDXiManagerWindow.h"

#include "BuildPluginList.h"
#include "CDXiPluginStore.h"
#include "CGUIBoxLayout.h"
#include "CGUIWindowLayout.h"
#include "CenterWindow.h"
#include "DXiChildWindows.h"
#include "GUINative.h"

#include <cstdio>

namespace {
constexpr const char* kAboutCaption = "About Vedodir's DXi Manager";
constexpr const char* kAboutText = "Vedodir's DXi Manager 1.1\n"
                                   "Made by Vedodir Audio (https://www.vedodir.example/)\n"
                                   "This software is provided \"as is\", without warranty of any kind.";
// Shown once when windows of the list could not be created.
constexpr const char* kMissingRowsText = "Not all DXi plug-ins could be listed. Close other programs and try again:\n"
                                         "%zu of %zu DXi plug-ins are missing from the list.";

} // namespace

CDXiManagerWindow::CDXiManagerWindow()
    : CDXiManagerWindow(std::make_unique<CDXiWin32Registry>(HKEY_CLASSES_ROOT), nullptr)
{
}

CDXiManagerWindow::CDXiManagerWindow(IDXiRegistry& registry)
    : CDXiManagerWindow(nullptr, &registry)
{
}

CDXiManagerWindow::CDXiManagerWindow(std::unique_ptr<IDXiRegistry> ownRegistry, IDXiRegistry* registry)
    : m_ownRegistry(std::move(ownRegistry))
    , m_registry(registry ? *registry : *m_ownRegistry)
    , m_closeListener(*this, &IGUIWindow::Destroy)
    , m_aboutListener(*this, &CDXiManagerWindow::ShowAbout)
{
    m_closeButton.GetClickNotifier().AddListener(&m_closeListener);
    m_aboutButton.GetClickNotifier().AddListener(&m_aboutListener);
}

CDXiManagerWindow::~CDXiManagerWindow()
{
    // The native window goes first, while the members it reaches still exist.
    Destroy();
}

void CDXiManagerWindow::ScanPlugins()
{
    CDXiPluginStore(m_registry).ScanPlugins(m_plugins);
}

bool CDXiManagerWindow::OnCreate(const CGUIWindowEvent& event)
{
    if (!GetDialogListener().OnCreate(event)) {
        return false;
    }
    ScanPlugins();

    CGUIWindowLayout mainLayout(this, 4, 4, 4, CGUIBoxLayout::Mode::Column);

    if (!CreateVisibleChild(m_scrollView, *this)) {
        return false;
    }
    const HWND view = m_scrollView.GetHandle();
    SetWindowLongPtrA(view, GWL_STYLE, GetWindowLongPtrA(view, GWL_STYLE) | WS_VSCROLL);
    SetWindowLongPtrA(view, GWL_STYLE, GetWindowLongPtrA(view, GWL_STYLE) | WS_HSCROLL);
    const CGUIColor face = GUIFromColorRef(GetSysColor(COLOR_BTNFACE));
    CGUIColorFill& background = m_scrollView.GetBackgroundFill();
    if (background.GetColor() != face) {
        background.SetColor(face);
        background.GetChangeNotifier().Notify();
    }
    m_scrollView.SetVerticalLineStep(5);

    const std::unique_ptr<CGUIBoxLayout> content
        = BuildPluginList(m_scrollView, m_plugins, m_ownedViews, m_ownedParams);
    if (const size_t missing = CountMissingRows(m_ownedViews, m_plugins.size())) {
        char text[192];
        std::snprintf(text, sizeof(text), kMissingRowsText, missing, m_plugins.size());
        m_registry.ShowError(text);
    }
    content->UpdatePreferredSize();
    content->SetPosition({ 0, 0 });
    m_scrollView.SetContentSize(content->GetSize());
    m_scrollView.SetSize({ 500, 400 });

    CGUIWindowLayout scrollItem(&m_scrollView, 0, 0, 0, CGUIBoxLayout::Mode::Column);
    mainLayout.AddItem(&scrollItem, CGUILayoutPlacement::Aligned(1, 1), false);

    if (!CreateVisibleChild(m_closeButton, *this) || !CreateVisibleChild(m_aboutButton, *this)) {
        return false;
    }
    m_closeButton.SetText("Close");
    m_aboutButton.SetText("About");
    auto* buttons = new CGUIBoxLayout(2, 2, 5, CGUIBoxLayout::Mode::Row);
    buttons->AddItem(MakeChildItem(m_aboutButton), CGUILayoutPlacement::Aligned(1, 1), true);
    buttons->AddItem(MakeChildItem(m_closeButton), CGUILayoutPlacement::Aligned(1, 1), true);
    mainLayout.AddItem(buttons, CGUILayoutPlacement::Aligned(2, 1), true);

    mainLayout.UpdatePreferredSize();
    mainLayout.SetPosition({ 0, 0 });
    CenterWindow(*this);
    return true;
}

void CDXiManagerWindow::OnDestroy(const CGUIWindowEvent&)
{
    m_ownedViews.clear();
    m_ownedParams.clear();
    std::vector<CDXiPlugin>().swap(m_plugins);
}

void CDXiManagerWindow::OnSize(const CGUISizeEvent& event)
{
    GetDialogListener().OnSize(event);
}

void CDXiManagerWindow::OnMove(const CGUIMoveEvent& event)
{
    GetDialogListener().OnMove(event);
}

void CDXiManagerWindow::OnEnable(const CGUIWindowEvent& event)
{
    GetDialogListener().OnEnable(event);
}

void CDXiManagerWindow::ShowAbout()
{
    MessageBoxA(GetHandle(), kAboutText, kAboutCaption, MB_ICONINFORMATION);
}
