#include "CCountingListener.h"
#include "CDXiMemoryRegistry.h"
#include "app/CDXiPlugin.h"
#include "app/CDXiPluginStore.h"
#include "app/DXiRegistryCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {
const std::string kRoot = "MfxSoftSynths\\";
const std::string kEditPrefix = "Failed to edit registry. Check that you have admin rights:\n";
const std::string kDenied = "Access is denied.\r\n";
const std::string kName = "{0B4C2B53-9A3D-4F7E-8E10-5B1D2A7C9E01}";
const std::string kDisabledName = "_Disabled_" + kName;

// An instrument registration with values of several types and nested
// sub-keys; its content.
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

// One way of switching: the direction, whether the registry renames in one
// step, and the calls it makes with the rights it asks for.
struct SwitchPath {
    const char* label;
    bool enable;
    bool renameSupported;
    std::string from;
    std::string to;
    std::vector<std::string> calls;
};

SwitchPath Path(const char* label, bool enable, bool renamed)
{
    const std::string from = enable ? kDisabledName : kName;
    const std::string to = enable ? kName : kDisabledName;
    std::vector<std::string> calls
        = { "Open MfxSoftSynths\\ 0xC", "Open " + from + " 0xF003F", "Delete " + to, "Rename (null) " + to };
    const std::vector<std::string> rest = renamed
        ? std::vector<std::string> { "Close " + from, "Close MfxSoftSynths\\" }
        : std::vector<std::string> { "Create " + to, "Copy (null)", "Close " + from, "Delete " + from, "Close " + to,
              "Close MfxSoftSynths\\" };
    calls.insert(calls.end(), rest.begin(), rest.end());
    return { label, enable, renamed, from, to, calls };
}

const SwitchPath kPaths[] = {
    Path("off by rename", false, true),
    Path("off by copy", false, false),
    Path("on by rename", true, true),
    Path("on by copy", true, false),
};

} // namespace

// The exact calls and rights of each way of switching, the whole key moved,
// the entry following it, and nobody notified.
TEST(PluginSwitchTest, EachPathMakesItsCallsAndMovesTheWholeKey)
{
    for (const SwitchPath& path : kPaths) {
        SCOPED_TRACE(path.label);
        CDXiMemoryRegistry registry;
        const std::string content = AddInstrument(registry, path.from);
        registry.SetRenameSupported(path.renameSupported);
        // A key left under the target name by an earlier failed attempt goes.
        registry.SetString(kRoot + path.to + "\\Leftover", "Junk", "partial copy");
        CDXiPlugin plugin(registry, path.from.c_str());
        plugin.SetDisplayName("Grand Piano");
        CCountingListener listener(plugin.GetChangeNotifier());
        registry.StartRecording();

        plugin.SetMidiEnabled(path.enable);
        EXPECT_EQ(registry.GetCalls(), path.calls);
        EXPECT_EQ(plugin.IsMidiEnabled(), path.enable);
        EXPECT_EQ(plugin.GetKeyName().GetText(), path.to);
        EXPECT_EQ(registry.GetSubKeyNames(kRoot), std::vector<std::string> { path.to });
        EXPECT_EQ(registry.DumpTree(kRoot + path.to), content);
        EXPECT_STREQ(plugin.GetDisplayName().GetText(), "Grand Piano");
        EXPECT_EQ(listener.count, 0);
        EXPECT_TRUE(registry.GetErrorBoxes().empty());
        EXPECT_EQ(registry.GetOpenHandleCount(), 0);

        // Assigning the state it now has touches nothing.
        registry.StartRecording();
        plugin.SetMidiEnabled(path.enable);
        EXPECT_TRUE(registry.GetCalls().empty());
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
        EXPECT_TRUE(registry.GetCalls().empty());
        EXPECT_EQ(registry.DumpTree(kRoot), before);
        EXPECT_EQ(plugin.GetKeyName().GetText(), name);
        EXPECT_EQ(registry.GetErrorBoxes(), std::vector<std::string> { kEditPrefix });
    }
}

// Each call of each way of switching fails in turn (a failing copy or delete
// after part of its work): the instrument stays whole under one name, the
// error box names the failing call, and trying again completes the switch.
TEST(PluginSwitchTest, EveryFailurePointKeepsTheInstrumentWhole)
{
    // What a failing call leaves: the error box after its prefix (none when
    // empty), whether the instrument now lives under the new name, and
    // whether the old key remains as well. Closing a key fails silently.
    struct Outcome {
        std::string message;
        bool moved;
        bool oldKeyRemains;
    };
    for (const SwitchPath& path : kPaths) {
        const std::string &from = path.from, &to = path.to;
        std::map<std::string, Outcome> outcomes = {
            { "Open MfxSoftSynths\\ 0xC", { kDenied + "(HKEY_CLASSES_ROOT)", false, true } },
            { "Open " + from + " 0xF003F", { kDenied + "(" + from + ")", false, true } },
            { "Delete " + to, { "", true, false } },
            { "Rename (null) " + to, { "", true, false } },
            { "Create " + to, { kDenied + "(" + to + ")", false, true } },
            { "Copy (null)", { kDenied + "()", false, true } },
            { "Delete " + from, { kDenied + "(" + from + ")", true, true } },
        };
        for (size_t call = 0; call < path.calls.size(); ++call) {
            SCOPED_TRACE(std::string(path.label) + ", failing " + path.calls[call]);
            const bool close = path.calls[call].rfind("Close ", 0) == 0;
            ASSERT_TRUE(close || outcomes.count(path.calls[call]) != 0) << "a call without a known outcome";
            const Outcome outcome = close ? Outcome { "", true, false } : outcomes[path.calls[call]];
            CDXiMemoryRegistry registry;
            const std::string content = AddInstrument(registry, from);
            registry.SetRenameSupported(path.renameSupported);
            CDXiPlugin plugin(registry, from.c_str());
            registry.FailCall("", static_cast<int>(call) + 1, DXiRegistryCodes::kAccessDenied, 2);
            plugin.SetMidiEnabled(path.enable);

            const std::string& now = outcome.moved ? to : from;
            EXPECT_EQ(plugin.GetKeyName().GetText(), now);
            EXPECT_EQ(registry.DumpTree(kRoot + now), content);
            EXPECT_EQ(registry.GetSubKeyNames(kRoot),
                outcome.oldKeyRemains && outcome.moved ? std::vector<std::string>({ kDisabledName, kName })
                                                       : std::vector { now });
            EXPECT_EQ(registry.GetErrorBoxes(),
                outcome.message.empty() ? std::vector<std::string> {} : std::vector { kEditPrefix + outcome.message });
            EXPECT_EQ(registry.GetOpenHandleCount(), 0);
            if (!outcome.moved) {
                plugin.SetMidiEnabled(path.enable);
                EXPECT_EQ(registry.GetSubKeyNames(kRoot), std::vector<std::string> { to });
                EXPECT_EQ(registry.DumpTree(kRoot + to), content);
            }
        }
    }
}

// The process is killed after every call of the switch in turn; a copy or
// delete it was in is cut after each of its steps. The next start must find
// the instrument whole, once.
TEST(PluginSwitchTest, KilledSwitchLeavesTheWholeInstrumentUnderOneName)
{
    for (const SwitchPath& path : kPaths) {
        bool interrupted = true;
        for (int calls = 0; interrupted; ++calls) {
            for (int steps = 0, items = 1; steps <= items; ++steps) {
                SCOPED_TRACE(std::string(path.label) + ", killed after call " + std::to_string(calls) + ", step "
                    + std::to_string(steps));
                CDXiMemoryRegistry registry;
                const std::string content = AddInstrument(registry, path.from);
                registry.SetRenameSupported(path.renameSupported);
                items = static_cast<int>(std::count(content.begin(), content.end(), '\n'));
                CDXiPlugin plugin(registry, path.from.c_str());
                registry.StopAfterCalls(calls, steps);
                plugin.SetMidiEnabled(path.enable);
                interrupted = registry.GetCallCount() > calls;

                registry.Restart();
                std::vector<CDXiPlugin> plugins;
                CDXiPluginStore(registry).ScanPlugins(plugins);
                ASSERT_EQ(plugins.size(), 1u);
                const std::string name = plugins[0].GetKeyName().GetText();
                EXPECT_TRUE(name == kName || name == kDisabledName) << name;
                EXPECT_EQ(registry.GetSubKeyNames(kRoot), std::vector<std::string> { name });
                EXPECT_EQ(registry.DumpTree(kRoot + name), content);
                EXPECT_EQ(registry.GetOpenHandleCount(), 0);
            }
        }
    }
}
