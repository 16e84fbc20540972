#include "CCountingListener.h"
#include "CDXiMemoryRegistry.h"
#include "app/CBoolMemberParam.h"
#include "app/CDXiPluginStore.h"
#include "app/DXiRegistryCodes.h"
#include "params/CGUIParamValueMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

using DXiRegistryCodes::kAccessDenied;
using Names = std::vector<std::string>;

namespace {
const std::string kRoot = "MfxSoftSynths\\";
const std::string kEditPrefix = "Failed to edit registry. Check that you have admin rights:\n";
const std::string kDenied = "Access is denied.\r\n";
const std::string kName = "{0B4C2B53-9A3D-4F7E-8E10-5B1D2A7C9E01}";
const std::string kDisabledName = "_Disabled_" + kName;

// An instrument with values of several types and nested sub-keys; its content.
std::string AddInstrument(CDXiMemoryRegistry& registry, const std::string& name)
{
    const std::string key = kRoot + name;
    registry.SetString(key, "Description", "Grand Piano");
    registry.SetString(key, "HelpFilePath", "");
    registry.SetValue(key, "Flags", 4, { 1, 0, 0, 0 });
    registry.SetValue(key + "\\Presets\\Bank 1", "Data", 3, { 0, 255, 7 });
    registry.SetValue(key + "\\Presets\\Bank 1", "Size", 4, { 3, 0, 0, 0 });
    registry.AddKey(key + "\\Empty");
    return registry.DumpTree(key);
}

// The key name, the keys under the root and the content of the key now named; equal for a whole instrument.
auto Where(CDXiMemoryRegistry& registry, const CDXiPlugin& plugin)
{
    const std::string name = plugin.GetKeyName().GetText();
    return std::tuple(name, registry.GetSubKeyNames(kRoot), registry.DumpTree(kRoot + name));
}

// One way of switching: the direction, whether the registry renames in one step, and the calls it makes with the
// rights it asks for.
struct SwitchPath {
    const char* label;
    bool enable;
    bool renameSupported;
    std::string from;
    std::string to;
    Names calls;
};

SwitchPath Path(const char* label, bool enable, bool renamed)
{
    const std::string from = enable ? kDisabledName : kName;
    const std::string to = enable ? kName : kDisabledName;
    Names calls = { "Open MfxSoftSynths\\ 0xC", "Open " + from + " 0xF003F", "Delete " + to, "Rename (null) " + to };
    const Names rest = renamed ? Names { "Close " + from, "Close MfxSoftSynths\\" }
                               : Names { "Create " + to, "Copy (null)", "Close " + from, "Delete " + from,
                                     "Close " + to, "Close MfxSoftSynths\\" };
    calls.insert(calls.end(), rest.begin(), rest.end());
    return { label, enable, renamed, from, to, calls };
}

const SwitchPath kPaths[] = { Path("off by rename", false, true), Path("off by copy", false, false),
    Path("on by rename", true, true), Path("on by copy", true, false) };
} // namespace

// Each call of each way of switching fails in turn (a failing copy or delete after part of its work), then none
// does: the instrument stays whole under one name, the error box names the failing call, the entry follows the
// key without notifying, and assigning the state again completes the switch or, when done, touches nothing.
TEST(PluginSwitchTest, EveryFailurePointKeepsTheInstrumentWhole)
{
    // The error box after its prefix (none when empty), whether the instrument now lives under the new name, and
    // whether the old key remains as well. Closing a key fails silently.
    struct Outcome {
        std::string message;
        bool moved = true;
        bool oldKeyRemains = false;
    };
    for (const SwitchPath& path : kPaths) {
        const std::string &from = path.from, &to = path.to;
        std::map<std::string, Outcome> outcomes = {
            { "Open MfxSoftSynths\\ 0xC", { kDenied + "(HKEY_CLASSES_ROOT)", false, true } },
            { "Open " + from + " 0xF003F", { kDenied + "(" + from + ")", false, true } },
            { "Delete " + to, {} },
            { "Rename (null) " + to, {} },
            { "Create " + to, { kDenied + "(" + to + ")", false, true } },
            { "Copy (null)", { kDenied + "()", false, true } },
            { "Delete " + from, { kDenied + "(" + from + ")", true, true } },
        };
        for (size_t call = 0; call <= path.calls.size(); ++call) {
            const std::string failing = call < path.calls.size() ? path.calls[call] : "";
            SCOPED_TRACE(std::string(path.label) + ", failing " + (failing.empty() ? "nothing" : failing));
            ASSERT_TRUE(failing.empty() || failing.rfind("Close ", 0) == 0 || outcomes.count(failing) != 0);
            const Outcome outcome = outcomes.count(failing) ? outcomes[failing] : Outcome {};
            CDXiMemoryRegistry registry;
            const std::string content = AddInstrument(registry, from);
            registry.SetRenameSupported(path.renameSupported);
            if (failing.empty()) {
                // A key left under the target name by an earlier failed attempt goes.
                registry.SetString(kRoot + to + "\\Leftover", "Junk", "partial copy");
            } else {
                registry.FailCall("", static_cast<int>(call) + 1, kAccessDenied, 2);
            }
            CDXiPlugin plugin(registry, from.c_str());
            plugin.SetDisplayName("Grand Piano");
            CCountingListener listener(plugin.GetChangeNotifier());
            registry.StartRecording();
            plugin.SetMidiEnabled(path.enable);

            const std::string& now = outcome.moved ? to : from;
            const Names both = { kDisabledName, kName };
            EXPECT_EQ(Where(registry, plugin),
                std::tuple(now, outcome.oldKeyRemains && outcome.moved ? both : Names { now }, content));
            EXPECT_EQ(
                registry.GetErrorBoxes(), outcome.message.empty() ? Names {} : Names { kEditPrefix + outcome.message });
            EXPECT_EQ(std::tuple(registry.GetOpenHandleCount(), listener.count, plugin.IsMidiEnabled() == path.enable,
                          std::string(plugin.GetDisplayName().GetText())),
                std::tuple(0, 0, outcome.moved, "Grand Piano"));
            if (failing.empty()) {
                EXPECT_EQ(registry.GetCalls(), path.calls);
            }
            registry.StartRecording();
            plugin.SetMidiEnabled(path.enable);
            EXPECT_EQ(registry.GetCalls().empty(), outcome.moved);
            EXPECT_EQ(Where(registry, plugin),
                std::tuple(to, outcome.oldKeyRemains && outcome.moved ? both : Names { to }, content));
        }
    }
}

TEST(PluginSwitchTest, NamesThatCannotBeSwitchedOnShowTheBareEditError)
{
    for (const std::string& name : { kName + "_Disabled_", std::string("_Disabled_") }) {
        SCOPED_TRACE(name);
        CDXiMemoryRegistry registry;
        AddInstrument(registry, kName);
        registry.AddKey(kRoot + name);
        const std::string before = registry.DumpTree(kRoot);
        CDXiPlugin plugin(registry, name.c_str());
        registry.StartRecording();
        plugin.SetMidiEnabled(true);
        EXPECT_EQ(std::tuple(registry.GetCalls(), registry.DumpTree(kRoot), std::string(plugin.GetKeyName().GetText()),
                      registry.GetErrorBoxes()),
            std::tuple(Names {}, before, name, Names { kEditPrefix }));
    }
}

// The process is killed after every call of the switch in turn, and a copy or delete it was in after each of its
// steps: the next start finds the instrument whole, once.
TEST(PluginSwitchTest, KilledSwitchLeavesTheWholeInstrumentUnderOneName)
{
    for (const SwitchPath& path : kPaths) {
        for (size_t calls = 0; calls <= path.calls.size(); ++calls) {
            for (int steps = 0, items = 1; steps <= items; ++steps) {
                SCOPED_TRACE(std::string(path.label) + ", killed after call " + std::to_string(calls) + ", step "
                    + std::to_string(steps));
                CDXiMemoryRegistry registry;
                const std::string content = AddInstrument(registry, path.from);
                registry.SetRenameSupported(path.renameSupported);
                items = static_cast<int>(std::count(content.begin(), content.end(), '\n'));
                CDXiPlugin plugin(registry, path.from.c_str());
                registry.StopAfterCalls(static_cast<int>(calls), steps);
                plugin.SetMidiEnabled(path.enable);

                registry.Restart();
                std::vector<CDXiPlugin> plugins;
                CDXiPluginStore(registry).ScanPlugins(plugins);
                ASSERT_EQ(plugins.size(), 1u);
                const std::string name = plugins[0].GetKeyName().GetText();
                EXPECT_TRUE(name == kName || name == kDisabledName) << name;
                EXPECT_EQ(Where(registry, plugins[0]), std::tuple(name, Names { name }, content));
                EXPECT_EQ(registry.GetOpenHandleCount(), 0);
            }
        }
    }
}

// The entry's parameter seen through a value mapping, as the check box's link uses it: 0 and 1 pass unchanged,
// only a switch that happened moves the link, and a change bracket opens and closes once.
TEST(PluginSwitchTest, CheckBoxParameterFollowsTheInstrument)
{
    CDXiMemoryRegistry registry;
    registry.AddKey(kRoot + "{Synth}");
    CDXiPlugin plugin(registry, "{Synth}");
    CBoolMemberParam param(plugin);
    IParamDescriptionEditor& editor = param.GetDescriptionEditor();
    editor.SetMin(0);
    editor.SetMax(1.0f);
    editor.SetDefault(0);
    editor.SetKind(0);
    CGUIParamValueMapping link(param);
    CCountingListener linkChanges(link.GetPositionNotifier());
    CCountingListener values(param.GetValueNotifier());
    CCountingListener opened(param.GetChangeOpenedNotifier());
    CCountingListener closed(param.GetChangeClosedNotifier());
    EXPECT_EQ(link.GetPosition(), 1.0f);

    // The cached value changes nothing; the parameter still announces it.
    registry.StartRecording();
    link.SetPosition(1.0f);
    EXPECT_EQ(std::tuple(registry.GetCalls(), values.count, linkChanges.count), std::tuple(Names {}, 1, 0));
    registry.FailCall("Open", 1, kAccessDenied);
    link.SetPosition(0.0f);
    EXPECT_EQ(
        std::tuple(plugin.IsMidiEnabled(), link.GetPosition(), linkChanges.count, registry.GetErrorBoxes().size()),
        std::tuple(true, 1.0f, 0, 1u));
    for (const float position : { 0.0f, 1.0f }) {
        link.SetPosition(position);
        EXPECT_EQ(
            std::tuple(plugin.IsMidiEnabled(), param.GetValue(), link.GetPosition(), registry.GetSubKeyNames(kRoot)),
            std::tuple(
                position == 1.0f, position, position, Names { position == 1.0f ? "{Synth}" : "_Disabled_{Synth}" }));
    }
    EXPECT_EQ(linkChanges.count, 2);

    std::vector<bool> open;
    for (const bool opening : { false, true, true, false, false }) {
        opening ? param.OpenChange() : param.CloseChange();
        open.push_back(param.IsChangeOpen());
    }
    EXPECT_EQ(std::tuple(open, opened.count, closed.count),
        std::tuple(std::vector { false, true, true, false, false }, 1, 1));
}
