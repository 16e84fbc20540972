#include "app/CDXiPluginStore.h"
#include "CCountingListener.h"
#include "CDXiMemoryRegistry.h"
#include "app/CBoolMemberParam.h"
#include "app/DXiRegistryCodes.h"
#include "params/CGUIParamValueMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using DXiRegistryCodes::kAccessDenied;
using Names = std::vector<std::string>;

namespace {
const std::string kRoot = "MfxSoftSynths\\";

// Each entry as "key name: display name", " (off)" when disabled. Entries of an earlier scan must not survive.
Names Scan(CDXiMemoryRegistry& registry)
{
    std::vector<CDXiPlugin> plugins(2, CDXiPlugin(registry, "stale"));
    CDXiPluginStore(registry).ScanPlugins(plugins);
    EXPECT_EQ(registry.GetOpenHandleCount(), 0) << "a key handle was left open";
    Names listed;
    for (const CDXiPlugin& plugin : plugins) {
        listed.push_back(std::string(plugin.GetKeyName().GetText()) + ": " + plugin.GetDisplayName().GetText()
            + (plugin.IsMidiEnabled() ? "" : " (off)"));
    }
    return listed;
}

void AddKeys(CDXiMemoryRegistry& registry, const Names& names)
{
    for (const std::string& name : names) {
        registry.AddKey(kRoot + name);
    }
}

// The error box after its prefix (none when empty); how often the root is read (once more after any duplicate
// deleted, until the list stops shrinking); the keys left under the root, where the scan deletes.
struct ScanCase {
    const char* label;
    std::function<void(CDXiMemoryRegistry&)> setUp;
    Names listed = {};
    std::string box = {};
    int passes = 1;
    Names keys = {};
};

// Values beside the shared description, as "sub-key path|name" (a trailing # gives the value another type) and data.
using Values = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

void AddValues(CDXiMemoryRegistry& registry, const std::string& key, const Values& values)
{
    registry.SetString(key, "Description", "Piano");
    for (const auto& [where, data] : values) {
        const std::size_t bar = where.find('|');
        const std::string name = where.substr(bar + 1);
        const bool otherType = name.back() == '#';
        registry.SetValue(key + "\\" + where.substr(0, bar), otherType ? name.substr(0, name.size() - 1) : name,
            otherType ? 4 : 3, data);
    }
}

// An interrupted switch leaves a part beside the whole instrument: the whole one stays, whichever name it has.
// Beside a lonely disabled instrument, the values each key of "{N}" holds besides the shared description.
ScanCase Pair(const char* label, const Values& plainValues, const Values& disabledValues, const std::string& kept)
{
    return { label,
        [=](CDXiMemoryRegistry& registry) {
            AddValues(registry, kRoot + "{N}", plainValues);
            AddValues(registry, kRoot + "_Disabled_{N}", disabledValues);
            registry.AddKey(kRoot + "_Disabled_{Lonely}");
        },
        { "_Disabled_{Lonely}: _Disabled_{Lonely} (off)", kept + ": Piano" + (kept[0] == '_' ? " (off)" : "") }, "", 2,
        { "_Disabled_{Lonely}", kept } };
}

const std::string kLongest(1023, 'x');

const ScanCase kScans[] = {
    { "missing root", [](CDXiMemoryRegistry&) {}, {}, "The system cannot find the file specified.\r\n()" },
    { "root refused",
        [](CDXiMemoryRegistry& registry) {
            registry.AddKey(kRoot + "a");
            registry.FailCall("Open", 1, kAccessDenied);
        },
        {}, "Access is denied.\r\n()" },
    { "empty root", [](CDXiMemoryRegistry& registry) { registry.AddKey(kRoot); } },
    // Cutting ten characters off "Synth_Disabled_X" gives "bled_X": no duplicates. Equal descriptions are listed
    // twice.
    { "enumeration order",
        [](CDXiMemoryRegistry& registry) {
            registry.SetString(kRoot + "{b}", "Description", "Strings");
            registry.SetString(kRoot + "_Disabled_{c}", "Description", "Strings");
            AddKeys(registry, { "{a}", "Synth_Disabled_X", "bled_X" });
        },
        { "Synth_Disabled_X: Synth_Disabled_X (off)", "_Disabled_{c}: Strings (off)", "bled_X: bled_X", "{a}: {a}",
            "{b}: Strings" } },
    // Up to 1024 bytes of any type; the last byte ends the text.
    { "descriptions",
        [](CDXiMemoryRegistry& registry) {
            registry.SetString(kRoot + "fits", "Description", kLongest);
            registry.SetString(kRoot + "too long", "Description", kLongest + "y");
            registry.SetValue(kRoot + "one byte", "Description", DXiRegistryCodes::kTypeString, { '\0' });
            registry.SetValue(kRoot + "unterminated", "Description", 3, { 'a', 'b', 'c' });
            registry.SetValue(kRoot + "empty", "Description", DXiRegistryCodes::kTypeString, {});
        },
        { "empty: empty", "fits: " + kLongest, "one byte: ", "too long: too long", "unterminated: ab" } },
    { "unreadable descriptions and enumeration errors",
        [](CDXiMemoryRegistry& registry) {
            for (const char* name : { "a", "b", "c" }) {
                registry.SetString(kRoot + name, "Description", std::string("Text ") + name);
            }
            registry.FailCall("Open", 2, kAccessDenied);
            registry.FailCall("Query", 1, kAccessDenied);
            registry.FailCall("Enum", 3, DXiRegistryCodes::kMoreData);
        },
        { "a: a", "b: b" } },
    // The list holds no key that is gone, whatever deletion fails.
    { "one deletion succeeds, a later one fails",
        [](CDXiMemoryRegistry& registry) {
            AddKeys(registry, { "A", "_Disabled_A", "B", "_Disabled_B" });
            registry.FailCall("Delete", 2, kAccessDenied);
        },
        { "A: A", "B: B" }, "", 3, { "A", "B" } },
    { "every deletion fails",
        [](CDXiMemoryRegistry& registry) {
            AddKeys(registry, { "A", "_Disabled_A", "B", "_Disabled_B" });
            registry.FailCall("Delete", 1, kAccessDenied);
            registry.FailCall("Delete", 1, kAccessDenied);
        },
        { "A: A", "B: B", "_Disabled_A: _Disabled_A (off)", "_Disabled_B: _Disabled_B (off)" }, "", 1,
        { "A", "B", "_Disabled_A", "_Disabled_B" } },
    { "deletions that do not shrink the list",
        [](CDXiMemoryRegistry& registry) {
            AddKeys(registry, { "N", "_Disabled_N" });
            registry.deletionsIgnored = true;
        },
        { "N: N", "_Disabled_N: _Disabled_N (off)" }, "", 2, { "N", "_Disabled_N" } },
    Pair("equal", {}, {}, "{N}"),
    Pair("plain key a part of the disabled one", {}, { { "Deep\\Deeper|Patch", { 1 } } }, "_Disabled_{N}"),
    Pair("disabled key a part of the plain one", { { "|Flags", { 1 } } }, {}, "{N}"),
    // The disabled key holds more, but not all of the plain one.
    Pair("a value differs deep down", { { "Deep\\Deeper|Patch", { 1 } } },
        { { "Deep\\Deeper|Patch", { 2 } }, { "|More", {} } }, "{N}"),
    Pair("a value differs in type only", { { "|Flags", { 1 } } }, { { "|Flags#", { 1 } }, { "|More", {} } }, "{N}"),
    Pair("neither a part of the other", { { "|A", {} } }, { { "|B", {} } }, "{N}"),
};

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

// The key name, the keys under the root, the content of the key now named and the handles left open.
auto Where(CDXiMemoryRegistry& registry, const CDXiPlugin& plugin)
{
    const std::string name = plugin.GetKeyName().GetText();
    return std::tuple(
        name, registry.GetSubKeyNames(kRoot), registry.DumpTree(kRoot + name), registry.GetOpenHandleCount());
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

TEST(PluginStoreTest, ScanListsEveryInstrumentOnceAndReportsOnlyAnUnreadableRoot)
{
    for (const ScanCase& scan : kScans) {
        SCOPED_TRACE(scan.label);
        CDXiMemoryRegistry registry;
        scan.setUp(registry);
        registry.StartRecording();
        EXPECT_EQ(Scan(registry), scan.listed);
        EXPECT_EQ(registry.GetErrorBoxes(),
            scan.box.empty()
                ? Names {}
                : Names { "Error while reading registry. Check that you have admin rights:\n" + scan.box });
        const Names& calls = registry.GetCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Open MfxSoftSynths\\ 0x8"), scan.passes);
        if (!scan.keys.empty()) {
            EXPECT_EQ(registry.GetSubKeyNames(kRoot), scan.keys);
        }
    }
}

// The root for enumeration only, each instrument for its description only; deleting a duplicate opens the root
// with full access and both keys for reading.
TEST(PluginStoreTest, ScanOpensEachKeyWithTheRightsItNeeds)
{
    CDXiMemoryRegistry registry;
    registry.SetString(kRoot + "A", "Description", "Piano");
    registry.StartRecording();
    Scan(registry);
    EXPECT_EQ(registry.GetCalls(),
        (Names { "Open MfxSoftSynths\\ 0x8", "Enum 0", "Open A 0x1", "Query Description", "Close A", "Enum 1",
            "Close MfxSoftSynths\\" }));

    registry.AddKey(kRoot + "_Disabled_A");
    registry.StartRecording();
    Scan(registry);
    Names opens;
    std::copy_if(registry.GetCalls().begin(), registry.GetCalls().end(), std::back_inserter(opens),
        [](const std::string& call) { return call.rfind("Open", 0) == 0 || call.rfind("Delete", 0) == 0; });
    EXPECT_EQ(opens,
        (Names { "Open MfxSoftSynths\\ 0x8", "Open A 0x1", "Open _Disabled_A 0x1", "Open MfxSoftSynths\\ 0xF003F",
            "Open _Disabled_A 0x9", "Open A 0x9", "Delete _Disabled_A", "Open MfxSoftSynths\\ 0x8", "Open A 0x1" }));
}

// Each call of each way of switching fails in turn (a failing copy or delete after part of its work), then none
// does: the instrument stays whole under one name, the error box names the failing call, the entry follows the
// key without notifying, and assigning the state again completes the switch or, when done, touches nothing.
TEST(PluginSwitchTest, EveryFailurePointKeepsTheInstrumentWhole)
{
    // The error box after its prefix (none when empty), whether the instrument now lives under the new name, and
    // whether the old key remains beside it. Closing a key fails silently.
    struct Outcome {
        std::string message;
        bool moved = true;
        bool bothKeys = false;
    };
    for (const SwitchPath& path : kPaths) {
        const std::string &from = path.from, &to = path.to;
        std::map<std::string, Outcome> outcomes = {
            { "Open MfxSoftSynths\\ 0xC", { kDenied + "(HKEY_CLASSES_ROOT)", false } },
            { "Open " + from + " 0xF003F", { kDenied + "(" + from + ")", false } },
            { "Delete " + to, {} },
            { "Rename (null) " + to, {} },
            { "Create " + to, { kDenied + "(" + to + ")", false } },
            { "Copy (null)", { kDenied + "()", false } },
            { "Delete " + from, { kDenied + "(" + from + ")", true, true } },
        };
        for (size_t call = 0; call <= path.calls.size(); ++call) {
            const std::string failing = call < path.calls.size() ? path.calls[call] : "";
            SCOPED_TRACE(std::string(path.label) + ", failing " + (failing.empty() ? "nothing" : failing));
            ASSERT_TRUE(failing.empty() || failing.rfind("Close ", 0) == 0 || outcomes.count(failing) != 0);
            const Outcome outcome = outcomes.count(failing) ? outcomes[failing] : Outcome {};
            CDXiMemoryRegistry registry;
            const std::string content = AddInstrument(registry, from);
            registry.renameSupported = path.renameSupported;
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
            EXPECT_EQ(Where(registry, plugin), std::tuple(now, outcome.bothKeys ? both : Names { now }, content, 0));
            EXPECT_EQ(
                registry.GetErrorBoxes(), outcome.message.empty() ? Names {} : Names { kEditPrefix + outcome.message });
            EXPECT_EQ(std::tuple(listener.count, plugin.IsMidiEnabled() == path.enable,
                          std::string(plugin.GetDisplayName().GetText())),
                std::tuple(0, outcome.moved, "Grand Piano"));
            if (failing.empty()) {
                EXPECT_EQ(registry.GetCalls(), path.calls);
            }
            registry.StartRecording();
            plugin.SetMidiEnabled(path.enable);
            EXPECT_EQ(registry.GetCalls().empty(), outcome.moved);
            EXPECT_EQ(Where(registry, plugin), std::tuple(to, outcome.bothKeys ? both : Names { to }, content, 0));
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
                registry.renameSupported = path.renameSupported;
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
                EXPECT_EQ(Where(registry, plugins[0]), std::tuple(name, Names { name }, content, 0));
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
