#include "app/BuildPluginList.h"

#include "app/CGUIParamCheckBox.h"
#include "app/DXiChildWindows.h"
#include "controls/CGUIControlHostView.h"
#include "controls/CGUITextControl.h"
#include "layout/CGUITableLayout.h"

#include <iterator>

namespace {
constexpr const char* kHelpText = "Click on a check box to enable or disable the corresponding DXi MIDI capabilities.\n"
                                  "Once disabled, a DXi will show up as a non-MIDI DirectX plug-in in your host.";
constexpr int32_t kBoldWeight = 700;

// A text control in a host view of its own, kept with the owned views. Wheel
// turns over it scroll the list.
CGUITextControl& MakeTextView(
    CGUIScrollView& list, std::list<std::unique_ptr<IGUIWindow>>& ownedViews, CGUIControlHostView*& view)
{
    auto* text = new CGUITextControl;
    text->SetUserMouseListener(&list.GetWheelForwarder());
    view = new CGUIControlHostView(text);
    ownedViews.emplace_back(view);
    return *text;
}

// Creates the view of a text in the list. Its window carries the text too,
// which is what screen readers read.
[[nodiscard]] bool CreateTextView(CGUIControlHostView& textView, CGUIScrollView& list, const char* text)
{
    if (!CreateVisibleChild(textView, list)) {
        return false;
    }
    textView.SetText(text);
    return true;
}
} // namespace

std::unique_ptr<CGUIBoxLayout> BuildPluginList(CGUIScrollView& view, std::vector<CDXiPlugin>& plugins,
    std::list<std::unique_ptr<IGUIWindow>>& ownedViews, std::list<std::unique_ptr<CBoolMemberParam>>& ownedParams)
{
    auto content = std::make_unique<CGUIBoxLayout>(0, 0, 10, CGUIBoxLayout::Mode::Column);

    CGUIControlHostView* helpView = nullptr;
    CGUITextControl& help = MakeTextView(view, ownedViews, helpView);
    help.SetText(kHelpText);
    CGUITextPainter& helpPainter = help.GetTextPainter();
    helpPainter.SetFormat({ CGUITextFormat::kWordBreak, CGUITextFormat::kAlignCenter, CGUITextFormat::kAlignStart });
    helpPainter.SetAutoWidth(false);
    helpPainter.FitToText();
    helpPainter.SetAutoHeight(true);
    helpPainter.FitToText();
    help.SetSize({ 400, 30 });
    if (CreateTextView(*helpView, view, kHelpText)) {
        content->AddItem(MakeChildItem(*helpView), CGUILayoutPlacement::Aligned(0, 1), true);
    }

    auto* table = new CGUITableLayout(0, 0, 40, 10);
    content->AddItem(table, CGUILayoutPlacement::Aligned(0, 1), true);
    table->AddRow();
    CGUIFont titleFont;
    table->AddRow();
    for (const char* title : { "DXi Plug-in Name", "MIDI Enabled" }) {
        CGUIControlHostView* titleView = nullptr;
        CGUITextControl& text = MakeTextView(view, ownedViews, titleView);
        text.SetText(title);
        titleFont.Assign(text.GetTextPainter().GetFont());
        if (titleFont.GetWeight() != kBoldWeight) {
            titleFont.SetWeight(kBoldWeight);
        }
        text.GetTextPainter().SetFont(titleFont);
        if (CreateTextView(*titleView, view, title)) {
            table->AddItem(MakeChildItem(*titleView), CGUILayoutPlacement::Aligned(1, 0), true);
        }
    }
    table->AddRow();

    for (CDXiPlugin& plugin : plugins) {
        table->AddRow();
        CGUIControlHostView* nameView = nullptr;
        const char* name = plugin.GetDisplayName().GetText();
        MakeTextView(view, ownedViews, nameView).SetText(name);
        if (CreateTextView(*nameView, view, name)) {
            table->AddItem(MakeChildItem(*nameView), CGUILayoutPlacement::Aligned(0, 1), true);
        }

        auto* param = new CBoolMemberParam(plugin);
        ownedParams.emplace_back(param);
        IParamDescriptionEditor& description = param->GetDescriptionEditor();
        description.SetMin(0);
        description.SetMax(1.0f);
        description.SetDefault(0);
        description.SetKind(0);

        auto* checkBox = new CGUIParamCheckBox(*param);
        ownedViews.emplace_back(checkBox);
        if (CreateVisibleChild(*checkBox, view)) {
            checkBox->Update();
            checkBox->SetSize({ 13, 13 });
            // The box's accessible name; at 13 pixels wide no letter of it is drawn.
            checkBox->SetText(name);
            checkBox->GetFocusNotifier().AddListener(&view.GetFocusMarkUpdater());
            table->AddItem(MakeChildItem(*checkBox), CGUILayoutPlacement::Aligned(1, 1), true);
        }
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
