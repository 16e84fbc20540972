#include "app/CDXiPluginStore.h"
#include "CDXiMemoryRegistry.h"
#include "app/DXiRegistryCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
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
    ScanCase(const char* label, std::function<void(CDXiMemoryRegistry&)> setUp, Names listed = {}, std::string box = {},
        int passes = 1, Names keys = {})
        : label(label)
        , setUp(std::move(setUp))
        , listed(std::move(listed))
        , box(std::move(box))
        , passes(passes)
        , keys(std::move(keys))
    {
    }
    const char* label;
    std::function<void(CDXiMemoryRegistry&)> setUp;
    Names listed;
    std::string box;
    int passes;
    Names keys;
};

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
            registry.SetDeletionsIgnored(true);
        },
        { "N: N", "_Disabled_N: _Disabled_N (off)" }, "", 2, { "N", "_Disabled_N" } },
};
} // namespace

TEST(PluginStoreTest, ScanListsTheKeysInEnumerationOrderAndReportsOnlyAnUnreadableRoot)
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

namespace {
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
} // namespace

// An interrupted switch leaves a part beside the whole instrument: the whole one stays, whichever name it has.
TEST(PluginStoreTest, DuplicatePairKeepsTheCompleteRegistration)
{
    const struct {
        const char* label;
        Values plainValues;
        Values disabledValues;
        std::string kept;
    } pairs[] = {
        { "equal", {}, {}, "{N}" },
        { "plain key a part of the disabled one", {}, { { "Deep\\Deeper|Patch", { 1 } } }, "_Disabled_{N}" },
        { "disabled key a part of the plain one", { { "|Flags", { 1 } } }, {}, "{N}" },
        // The disabled key holds more, but not all of the plain one.
        { "a value differs deep down", { { "Deep\\Deeper|Patch", { 1 } } },
            { { "Deep\\Deeper|Patch", { 2 } }, { "|More", {} } }, "{N}" },
        { "a value differs in type only", { { "|Flags", { 1 } } }, { { "|Flags#", { 1 } }, { "|More", {} } }, "{N}" },
        { "neither a part of the other", { { "|A", {} } }, { { "|B", {} } }, "{N}" },
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.label);
        CDXiMemoryRegistry registry;
        AddValues(registry, kRoot + "{N}", pair.plainValues);
        AddValues(registry, kRoot + "_Disabled_{N}", pair.disabledValues);
        registry.AddKey(kRoot + "_Disabled_{Lonely}");
        const std::string content = registry.DumpTree(kRoot + pair.kept);
        EXPECT_EQ(Scan(registry),
            (Names { "_Disabled_{Lonely}: _Disabled_{Lonely} (off)",
                pair.kept + ": Piano" + (pair.kept[0] == '_' ? " (off)" : "") }));
        EXPECT_EQ(std::pair(registry.GetSubKeyNames(kRoot), registry.DumpTree(kRoot + pair.kept)),
            std::pair(Names { "_Disabled_{Lonely}", pair.kept }, content));
    }
}
