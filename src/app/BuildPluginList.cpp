#include "app/BuildPluginList.h"

#include "app/CGUIParamCheckBox.h"
#include "app/DXiChildWindows.h"
#include "controls/CGUIControlHostView.h"
#include "controls/CGUITextControl.h"
#include "layout/CGUITableLayout.h"

#include <iterator>
#include <vector>

namespace {
constexpr const char* kHelpText = "Click on a check box to enable or disable the corresponding DXi MIDI capabilities.\n"
                                  "Once disabled, a DXi will show up as a non-MIDI DirectX plug-in in your host.";
constexpr const char* kTitles[] = { "DXi Plug-in Name", "MIDI Enabled" };
constexpr int32_t kBoldWeight = 700;

// A text control in a host view of its own, kept with the owned views. Wheel
// turns over it scroll the list.
CGUITextControl& MakeTextView(
    CGUIScrollView& list, std::list<std::unique_ptr<IGUIWindow>>& ownedViews, CGUIControlHostView*& view)
{
    auto* text = new CGUITextControl;
    text->SetUserMouseListener(&list.GetWheelForwarder());
    view = new CGUIControlHostView(text);
    // No two windows of the list overlap: their stacking order does not matter.
    view->SetRaisedOnCreation(false);
    ownedViews.emplace_back(view);
    return *text;
}

// Creates the view of a text in the list. Its window carries the text too,
// which is what screen readers read.
[[nodiscard]] bool CreateTextView(CGUIControlHostView& textView, CGUIScrollView& list, const char* text)
{
    textView.SetText(text);
    return CreateVisibleChild(textView, list);
}

// The list's windows, made but not yet created.
struct CListWindows {
    CGUIControlHostView* help = nullptr;
    std::vector<CGUIControlHostView*> titles;
    struct CRow {
        CGUIControlHostView* name;
        CGUIParamCheckBox* checkBox;
    };
    std::vector<CRow> rows;
};

// The content box over the windows: all of them, or those created only.
std::unique_ptr<CGUIBoxLayout> LayOut(const CListWindows& windows, bool createdOnly)
{
    const auto takes = [createdOnly](IGUIWindow* window) { return !createdOnly || window->IsCreated(); };
    auto content = std::make_unique<CGUIBoxLayout>(0, 0, 10, CGUIBoxLayout::Mode::Column);
    if (takes(windows.help)) {
        content->AddItem(MakeChildItem(*windows.help), CGUILayoutPlacement::Aligned(0, 1), true);
    }
    auto* table = new CGUITableLayout(0, 0, 40, 10);
    content->AddItem(table, CGUILayoutPlacement::Aligned(0, 1), true);
    table->AddRow();
    table->AddRow();
    for (CGUIControlHostView* title : windows.titles) {
        if (takes(title)) {
            table->AddItem(MakeChildItem(*title), CGUILayoutPlacement::Aligned(1, 0), true);
        }
    }
    table->AddRow();
    for (const CListWindows::CRow& row : windows.rows) {
        table->AddRow();
        if (takes(row.name)) {
            table->AddItem(MakeChildItem(*row.name), CGUILayoutPlacement::Aligned(0, 1), true);
        }
        if (takes(row.checkBox)) {
            table->AddItem(MakeChildItem(*row.checkBox), CGUILayoutPlacement::Aligned(1, 1), true);
        }
    }
    // Placed before the windows exist, they are created where they belong:
    // no move, no resize and no repaint of the places they would leave.
    content->UpdatePreferredSize();
    content->SetPosition({ 0, 0 });
    return content;
}
} // namespace

std::unique_ptr<CGUIBoxLayout> BuildPluginList(CGUIScrollView& view, std::vector<CDXiPlugin>& plugins,
    std::list<std::unique_ptr<IGUIWindow>>& ownedViews, std::list<std::unique_ptr<CBoolMemberParam>>& ownedParams)
{
    CListWindows windows;
    CGUITextControl& help = MakeTextView(view, ownedViews, windows.help);
    help.SetText(kHelpText);
    CGUITextPainter& helpPainter = help.GetTextPainter();
    helpPainter.SetFormat({ CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    helpPainter.SetAutoWidth(false);
    helpPainter.FitToText();
    helpPainter.SetAutoHeight(true);
    helpPainter.FitToText();
    help.SetSize({ 400, 30 });

    CGUIFont titleFont;
    for (const char* title : kTitles) {
        CGUIControlHostView* titleView = nullptr;
        CGUITextControl& text = MakeTextView(view, ownedViews, titleView);
        text.SetText(title);
        titleFont.Assign(text.GetTextPainter().GetFont());
        if (titleFont.GetWeight() != kBoldWeight) {
            titleFont.SetWeight(kBoldWeight);
        }
        text.GetTextPainter().SetFont(titleFont);
        windows.titles.push_back(titleView);
    }

    windows.rows.reserve(plugins.size());
    for (CDXiPlugin& plugin : plugins) {
        CGUIControlHostView* nameView = nullptr;
        const char* name = plugin.GetDisplayName().GetText();
        MakeTextView(view, ownedViews, nameView).SetText(name);

        auto* param = new CBoolMemberParam(plugin);
        ownedParams.emplace_back(param);
        IParamDescriptionEditor& description = param->GetDescriptionEditor();
        description.SetMin(0);
        description.SetMax(1.0f);
        description.SetDefault(0);
        description.SetKind(0);

        auto* checkBox = new CGUIParamCheckBox(*param);
        ownedViews.emplace_back(checkBox);
        checkBox->SetRaisedOnCreation(false);
        checkBox->SetSize({ 13, 13 });
        // The box's accessible name; at 13 pixels wide no letter of it is drawn.
        checkBox->SetText(name);
        windows.rows.push_back({ nameView, checkBox });
    }

    std::unique_ptr<CGUIBoxLayout> content = LayOut(windows, false);
    bool complete = CreateTextView(*windows.help, view, kHelpText);
    for (size_t i = 0; i < windows.titles.size(); ++i) {
        complete = CreateTextView(*windows.titles[i], view, kTitles[i]) && complete;
    }
    for (size_t i = 0; i < windows.rows.size(); ++i) {
        const CListWindows::CRow& row = windows.rows[i];
        const char* name = plugins[i].GetDisplayName().GetText();
        complete = CreateTextView(*row.name, view, name) && complete;
        if (!CreateVisibleChild(*row.checkBox, view)) {
            complete = false;
            continue;
        }
        row.checkBox->GetFocusNotifier().AddListener(&view.GetFocusMarkUpdater());
    }
    // What could not be created leaves no gap: the rest closes up.
    if (!complete) {
        content = LayOut(windows, true);
    }
    return content;
}

size_t CountMissingRows(const std::list<std::unique_ptr<IGUIWindow>>& ownedViews, size_t rows)
{
    if (ownedViews.size() < 2 * rows) {
        return rows;
    }
    // Each row made its name view and then its check box, last of all views.
    size_t missing = 0;
    for (auto view = std::prev(ownedViews.end(), static_cast<std::ptrdiff_t>(2 * rows)); view != ownedViews.end();) {
        const bool name = (*view++)->IsCreated();
        const bool checkBox = (*view++)->IsCreated();
        missing += name && checkBox ? 0 : 1;
    }
    return missing;
}
