#include "CDXiPluginStore.h"
#include "AppendRegistryError.h"
#include "CDXiMemoryRegistry.h"
#include "DXiRegistryCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
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

TEST_F(PluginStoreTest, MissingRootShowsTheReadErrorAndLeavesTheListEmpty)
{
    EXPECT_TRUE(Scan().empty());
    ASSERT_EQ(m_registry.GetErrorBoxes().size(), 1u);
    EXPECT_EQ(m_registry.GetErrorBoxes()[0],
        "Error while reading registry. Check that you have admin rights:\n"
        "The system cannot find the file specified.\r\n()");
}

TEST_F(PluginStoreTest, EmptyRootGivesAnEmptyListAndNoMessage)
{
    m_registry.AddKey(kRoot);
    EXPECT_TRUE(Scan().empty());
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

TEST_F(PluginStoreTest, ListsInEnumerationOrderWithDescriptions)
{
    m_registry.SetString(kRoot + "\\{B}", "Description", "Strings");
    m_registry.AddKey(kRoot + "\\{a}");
    m_registry.SetString(kRoot + "\\_Disabled_{C}", "Description", "Strings");
    const auto plugins = Scan();
    EXPECT_EQ(KeyNames(plugins), (std::vector<std::string> { "_Disabled_{C}", "{a}", "{B}" }));
    // Equal descriptions are listed twice; a key without one shows its name.
    EXPECT_EQ(DisplayNames(plugins), (std::vector<std::string> { "Strings", "{a}", "Strings" }));
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

TEST_F(PluginStoreTest, RootWithoutEnumerationRightShowsTheSystemText)
{
    m_registry.AddKey(kRoot + "\\a");
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Open, 1, DXiRegistryCodes::kAccessDenied);
    EXPECT_TRUE(Scan().empty());
    ASSERT_EQ(m_registry.GetErrorBoxes().size(), 1u);
    EXPECT_EQ(m_registry.GetErrorBoxes()[0],
        "Error while reading registry. Check that you have admin rights:\nAccess is denied.\r\n()");
}

TEST_F(PluginStoreTest, DisabledDuplicateIsDeletedAndTheListReadAgain)
{
    m_registry.SetString(kRoot + "\\{N}", "Description", "Piano");
    m_registry.SetString(kRoot + "\\_Disabled_{N}", "Description", "Piano (old)");
    m_registry.AddKey(kRoot + "\\_Disabled_{Lonely}");
    const auto plugins = Scan();
    EXPECT_EQ(KeyNames(plugins), (std::vector<std::string> { "_Disabled_{Lonely}", "{N}" }));
    EXPECT_EQ(plugins[1].GetDisplayName().GetText(), std::string("Piano"));
    EXPECT_FALSE(m_registry.HasKey(kRoot + "\\_Disabled_{N}"));
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

TEST_F(PluginStoreTest, MarkerInsideANameNeverMatchesAnotherInstrument)
{
    // Cutting ten characters off "Synth_Disabled_X" gives "bled_X".
    m_registry.AddKey(kRoot + "\\Synth_Disabled_X");
    m_registry.AddKey(kRoot + "\\bled_X");
    EXPECT_EQ(Scan().size(), 2u);
    EXPECT_TRUE(m_registry.HasKey(kRoot + "\\Synth_Disabled_X"));
}

TEST_F(PluginStoreTest, DuplicateRemovalMakesTheCallsOfThePairwiseComparison)
{
    std::vector<CDXiPlugin> plugins;
    for (const char* name : { "_Disabled_A", "A", "_Disabled_B", "B", "A", "_Disabled_C", "_Disabled_A", "C" }) {
        plugins.emplace_back(m_registry, name);
        m_registry.AddKey(kRoot + "\\" + name);
    }
    std::vector<std::string> expected;
    for (const CDXiPlugin& disabled : plugins) {
        if (disabled.IsMidiEnabled()) {
            continue;
        }
        for (const CDXiPlugin& other : plugins) {
            if (other.GetKeyName().Equals(disabled.GetEnabledKeyName())) {
                expected.push_back("Open MfxSoftSynths\\ 983103");
                expected.push_back(std::string("Delete ") + disabled.GetKeyName().GetText());
                expected.push_back("Close");
            }
        }
    }
    ASSERT_FALSE(expected.empty());
    m_registry.SetRecording(true);
    // Deleting a key twice fails the second time, which clears the flag.
    EXPECT_FALSE(CDXiPluginStore(m_registry).RemoveDuplicateDisabledKeys(plugins));
    EXPECT_EQ(m_registry.GetCalls(), expected);
}

TEST_F(PluginStoreTest, FailedDeletionAsksForNoRescan)
{
    m_registry.AddKey(kRoot + "\\N");
    m_registry.AddKey(kRoot + "\\_Disabled_N");
    m_registry.FailCall(CDXiMemoryRegistry::Operation::Delete, 1, DXiRegistryCodes::kAccessDenied);
    m_registry.SetRecording(true);
    EXPECT_EQ(Scan().size(), 2u);
    int enumerations = 0;
    for (const std::string& call : m_registry.GetCalls()) {
        enumerations += call.rfind("Enum ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(enumerations, 3); // one pass over two keys and its end
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
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
