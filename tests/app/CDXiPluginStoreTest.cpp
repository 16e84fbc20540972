#include "app/CDXiPluginStore.h"
#include "CDXiMemoryRegistry.h"
#include "app/AppendRegistryError.h"
#include "app/DXiRegistryCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {
const std::string kRoot = "MfxSoftSynths";

std::vector<std::string> KeyNames(const std::vector<CDXiPlugin>& plugins)
{
    std::vector<std::string> names;
    for (const CDXiPlugin& plugin : plugins) {
        names.emplace_back(plugin.GetKeyName().GetText());
    }
    return names;
}

std::vector<std::string> DisplayNames(const std::vector<CDXiPlugin>& plugins)
{
    std::vector<std::string> names;
    for (const CDXiPlugin& plugin : plugins) {
        names.emplace_back(plugin.GetDisplayName().GetText());
    }
    return names;
}

class PluginStoreTest : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(m_registry.GetOpenHandleCount(), 0) << "a key handle was left open"; }

    std::vector<CDXiPlugin> Scan()
    {
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(m_registry).ScanPlugins(plugins);
        return plugins;
    }

    CDXiMemoryRegistry m_registry;
};
} // namespace

TEST_F(PluginStoreTest, UnreadableRootShowsTheReadErrorAndLeavesTheListEmpty)
{
    const struct {
        const char* label;
        bool rootExists;
        std::string box;
    } cases[] = {
        { "missing", false, "The system cannot find the file specified.\r\n()" },
        { "open refused", true, "Access is denied.\r\n()" },
    };
    for (const auto& root : cases) {
        SCOPED_TRACE(root.label);
        CDXiMemoryRegistry registry;
        if (root.rootExists) {
            registry.AddKey(kRoot + "\\a");
            registry.FailCall(CDXiMemoryRegistry::Operation::Open, 1, DXiRegistryCodes::kAccessDenied);
        }
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        EXPECT_TRUE(plugins.empty());
        EXPECT_EQ(registry.GetErrorBoxes(),
            std::vector<std::string> {
                "Error while reading registry. Check that you have admin rights:\n" + root.box });
    }
}

TEST_F(PluginStoreTest, EmptyRootGivesAnEmptyListAndNoMessage)
{
    m_registry.AddKey(kRoot);
    EXPECT_TRUE(Scan().empty());
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

// The calls and access rights of a scan: the root for enumeration only, each
// instrument for its description only; deleting a duplicate opens the root
// with full access and both keys for reading.
TEST_F(PluginStoreTest, ScanOpensEachKeyWithTheRightsItNeeds)
{
    m_registry.SetString(kRoot + "\\A", "Description", "Piano");
    m_registry.SetRecording(true);
    Scan();
    EXPECT_EQ(m_registry.GetCalls(),
        (std::vector<std::string> { "Open MfxSoftSynths\\ 0x8", "Enum 0", "Open A 0x1", "Query Description", "Close A",
            "Enum 1", "Close MfxSoftSynths\\" }));

    m_registry.AddKey(kRoot + "\\_Disabled_A");
    m_registry.ClearCalls();
    Scan();
    std::vector<std::string> opens;
    for (const std::string& call : m_registry.GetCalls()) {
        if (call.rfind("Open", 0) == 0 || call.rfind("Delete", 0) == 0) {
            opens.push_back(call);
        }
    }
    EXPECT_EQ(opens,
        (std::vector<std::string> { "Open MfxSoftSynths\\ 0x8", "Open _Disabled_A 0x1", "Open A 0x1",
            "Open MfxSoftSynths\\ 0xF003F", "Open _Disabled_A 0x9", "Open A 0x9", "Delete _Disabled_A",
            "Open MfxSoftSynths\\ 0x8", "Open A 0x1" }));
}

TEST_F(PluginStoreTest, ListsInEnumerationOrderWithDescriptions)
{
    m_registry.SetString(kRoot + "\\{B}", "Description", "Strings");
    m_registry.AddKey(kRoot + "\\{a}");
    m_registry.SetString(kRoot + "\\_Disabled_{C}", "Description", "Strings");
    // Cutting ten characters off "Synth_Disabled_X" gives "bled_X": no duplicates.
    m_registry.AddKey(kRoot + "\\Synth_Disabled_X");
    m_registry.AddKey(kRoot + "\\bled_X");
    const auto plugins = Scan();
    const std::vector<std::string> keys { "_Disabled_{C}", "bled_X", "Synth_Disabled_X", "{a}", "{B}" };
    EXPECT_EQ(KeyNames(plugins), keys);
    EXPECT_EQ(m_registry.GetSubKeyNames(kRoot), keys);
    // Equal descriptions are listed twice; a key without one shows its name.
    EXPECT_EQ(DisplayNames(plugins),
        (std::vector<std::string> { "Strings", "bled_X", "Synth_Disabled_X", "{a}", "Strings" }));
    EXPECT_FALSE(plugins[0].IsMidiEnabled());
    EXPECT_TRUE(plugins[1].IsMidiEnabled());
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

TEST_F(PluginStoreTest, DescriptionsAreReadUpTo1024BytesAndTheirLastByteEndsThem)
{
    const std::string longest(1023, 'x');
    m_registry.SetString(kRoot + "\\fits", "Description", longest);
    m_registry.SetString(kRoot + "\\too long", "Description", longest + "y");
    m_registry.SetValue(kRoot + "\\one byte", "Description", DXiRegistryCodes::kTypeString, { '\0' });
    m_registry.SetValue(kRoot + "\\unterminated", "Description", 3, { 'a', 'b', 'c' });
    m_registry.SetValue(kRoot + "\\empty", "Description", DXiRegistryCodes::kTypeString, {});
    const auto plugins = Scan();
    EXPECT_EQ(DisplayNames(plugins), (std::vector<std::string> { "empty", longest, "", "too long", "ab" }));
}

TEST_F(PluginStoreTest, UnreadableDescriptionsAndEnumerationErrorsAreSilent)
{
    m_registry.SetString(kRoot + "\\a", "Description", "First");
    m_registry.SetString(kRoot + "\\b", "Description", "Second");
    m_registry.SetString(kRoot + "\\c", "Description", "Third");
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Open, 2, DXiRegistryCodes::kAccessDenied);
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Query, 1, DXiRegistryCodes::kAccessDenied);
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Enum, 3, DXiRegistryCodes::kMoreData);
    const auto plugins = Scan();
    EXPECT_EQ(DisplayNames(plugins), (std::vector<std::string> { "a", "b" }));
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

namespace {
struct DuplicatePair {
    const char* label;
    // Extra content of the plain key and of the disabled one, beside the
    // shared description.
    std::vector<std::pair<std::string, std::vector<uint8_t>>> plainValues;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> disabledValues;
    const char* kept;
};

const DuplicatePair kDuplicatePairs[] = {
    { "equal", {}, {}, "{N}" },
    { "plain key a part of the disabled one", {}, { { "Deep\\Deeper|Patch", { 1 } } }, "_Disabled_{N}" },
    { "disabled key a part of the plain one", { { "|Flags", { 1 } } }, {}, "{N}" },
    // The disabled key holds more, but not all of the plain one.
    { "a value differs deep down", { { "Deep\\Deeper|Patch", { 1 } } },
        { { "Deep\\Deeper|Patch", { 2 } }, { "|More", {} } }, "{N}" },
    { "a value differs in type only", { { "|Flags", { 1 } } }, { { "|Flags#", { 1 } }, { "|More", {} } }, "{N}" },
    { "neither a part of the other", { { "|A", {} } }, { { "|B", {} } }, "{N}" },
};

// "path|name" sets a value under the key; a trailing # gives it another type.
void AddValues(CDXiMemoryRegistry& registry, const std::string& key,
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& values)
{
    registry.SetString(key, "Description", "Piano");
    for (const auto& [where, data] : values) {
        const std::size_t bar = where.find('|');
        const std::string path = bar == 0 ? key : key + "\\" + where.substr(0, bar);
        std::string name = where.substr(bar + 1);
        const bool otherType = name.back() == '#';
        if (otherType) {
            name.pop_back();
        }
        registry.SetValue(path, name, otherType ? 4 : 3, data);
    }
}
} // namespace

TEST_F(PluginStoreTest, DuplicatePairKeepsTheCompleteRegistration)
{
    for (const DuplicatePair& pair : kDuplicatePairs) {
        SCOPED_TRACE(pair.label);
        CDXiMemoryRegistry registry;
        AddValues(registry, kRoot + "\\{N}", pair.plainValues);
        AddValues(registry, kRoot + "\\_Disabled_{N}", pair.disabledValues);
        registry.AddKey(kRoot + "\\_Disabled_{Lonely}");
        const std::string content = registry.DumpTree(kRoot + "\\" + pair.kept);
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        const std::vector<std::string> kept = { "_Disabled_{Lonely}", pair.kept };
        EXPECT_EQ(KeyNames(plugins), kept);
        EXPECT_EQ(registry.GetSubKeyNames(kRoot), kept);
        EXPECT_EQ(plugins[1].GetDisplayName().GetText(), std::string("Piano"));
        EXPECT_EQ(registry.DumpTree(kRoot + "\\" + pair.kept), content);
        EXPECT_EQ(registry.GetOpenHandleCount(), 0);
    }
}

TEST_F(PluginStoreTest, ListHoldsNoKeyThatIsGoneWhateverDeletionFails)
{
    const struct {
        const char* label;
        std::vector<int> failingDeletions;
        int readPasses;
    } cases[] = {
        { "one deletion succeeds, a later one fails", { 2 }, 3 },
        { "every deletion fails", { 1, 1 }, 1 },
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.label);
        CDXiMemoryRegistry registry;
        for (const char* name : { "A", "_Disabled_A", "B", "_Disabled_B" }) {
            registry.AddKey(kRoot + "\\" + name);
        }
        for (int nth : failure.failingDeletions) {
            registry.FailCall(CDXiMemoryRegistry::Operation::Delete, nth, DXiRegistryCodes::kAccessDenied);
        }
        registry.SetRecording(true);
        std::vector<CDXiPlugin> plugins;
        CDXiPluginStore(registry).ScanPlugins(plugins);
        EXPECT_EQ(KeyNames(plugins), registry.GetSubKeyNames(kRoot));
        const auto& calls = registry.GetCalls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Open MfxSoftSynths\\ 0x8"), failure.readPasses);
        EXPECT_TRUE(registry.GetErrorBoxes().empty());
    }
}

TEST_F(PluginStoreTest, RescansEndWhenDeletionsDoNotShrinkTheList)
{
    m_registry.AddKey(kRoot + "\\N");
    m_registry.AddKey(kRoot + "\\_Disabled_N");
    m_registry.SetDeletionsIgnored(true);
    EXPECT_EQ(Scan().size(), 2u);
}

TEST_F(PluginStoreTest, EveryScanStartsFromAnEmptyList)
{
    m_registry.AddKey(kRoot + "\\a");
    std::vector<CDXiPlugin> plugins(3, CDXiPlugin(m_registry, "stale"));
    CDXiPluginStore(m_registry).ScanPlugins(plugins);
    EXPECT_EQ(KeyNames(plugins), std::vector<std::string> { "a" });
}
