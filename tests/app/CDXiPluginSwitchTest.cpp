#include "CDXiMemoryRegistry.h"
#include "app/CDXiPlugin.h"
#include "app/CDXiPluginStore.h"
#include "app/DXiRegistryCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {
const std::string kRoot = "MfxSoftSynths\\";
const std::string kEditPrefix = "Failed to edit registry. Check that you have admin rights:\n";
const std::string kName = "{0B4C2B53-9A3D-4F7E-8E10-5B1D2A7C9E01}";
const std::string kDisabledName = "_Disabled_" + kName;

// An instrument registration with values of several types and nested sub-keys.
void AddInstrument(CDXiMemoryRegistry& registry, const std::string& name)
{
    const std::string key = kRoot + name;
    registry.SetString(key, "Description", "Grand Piano");
    registry.SetString(key, "HelpFilePath", "");
    registry.SetValue(key, "Flags", 4, { 1, 0, 0, 0 });
    registry.SetValue(key + "\\Presets\\Bank 1", "Data", 3, { 0, 255, 7 });
    registry.SetValue(key + "\\Presets\\Bank 1", "Size", 4, { 3, 0, 0, 0 });
    registry.AddKey(key + "\\Empty");
}

class CountingListener : public IGUIListener {
public:
    void OnNotify() override { ++count; }
    int count = 0;
};

class PluginSwitchTest : public testing::Test {
protected:
    void SetUp() override { AddInstrument(m_registry, kName); }
    void TearDown() override { EXPECT_EQ(m_registry.GetOpenHandleCount(), 0) << "a key handle was left open"; }

    CDXiMemoryRegistry m_registry;
};
} // namespace

TEST_F(PluginSwitchTest, SwitchingOffAndOnMovesTheWholeKey)
{
    const std::string content = m_registry.DumpTree(kRoot + kName);
    CDXiPlugin plugin(m_registry, kName.c_str());
    plugin.SetDisplayName("Grand Piano");
    CountingListener listener;
    plugin.GetChangeNotifier().AddListener(&listener);

    plugin.SetMidiEnabled(false);
    EXPECT_FALSE(plugin.IsMidiEnabled());
    EXPECT_EQ(plugin.GetKeyName().GetText(), kDisabledName);
    EXPECT_EQ(m_registry.GetSubKeyNames("MfxSoftSynths"), std::vector<std::string> { kDisabledName });
    EXPECT_EQ(m_registry.DumpTree(kRoot + kDisabledName), content);

    plugin.SetMidiEnabled(true);
    EXPECT_TRUE(plugin.IsMidiEnabled());
    EXPECT_EQ(plugin.GetKeyName().GetText(), kName);
    EXPECT_EQ(m_registry.GetSubKeyNames("MfxSoftSynths"), std::vector<std::string> { kName });
    EXPECT_EQ(m_registry.DumpTree(kRoot + kName), content);

    EXPECT_STREQ(plugin.GetDisplayName().GetText(), "Grand Piano");
    EXPECT_EQ(listener.count, 0);
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

TEST_F(PluginSwitchTest, AssigningTheCurrentStateTouchesNothing)
{
    CDXiPlugin plugin(m_registry, kName.c_str());
    m_registry.SetRecording(true);
    plugin.SetMidiEnabled(true);
    EXPECT_TRUE(m_registry.GetCalls().empty());
    EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
}

TEST_F(PluginSwitchTest, NamesThatCannotBeSwitchedOnShowTheBareEditError)
{
    for (const std::string& name : { kName + "_Disabled_", std::string("_Disabled_") }) {
        SCOPED_TRACE(name);
        m_registry.AddKey(kRoot + name);
        const std::string before = m_registry.DumpTree("MfxSoftSynths");
        CDXiPlugin plugin(m_registry, name.c_str());
        m_registry.SetRecording(true);
        m_registry.ClearCalls();
        plugin.SetMidiEnabled(true);
        EXPECT_TRUE(m_registry.GetCalls().empty());
        EXPECT_EQ(m_registry.DumpTree("MfxSoftSynths"), before);
        EXPECT_EQ(plugin.GetKeyName().GetText(), name);
        ASSERT_FALSE(m_registry.GetErrorBoxes().empty());
        EXPECT_EQ(m_registry.GetErrorBoxes().back(), kEditPrefix);
    }
}

TEST_F(PluginSwitchTest, StaleKeyUnderTheTargetNameIsReplaced)
{
    m_registry.SetString(kRoot + kDisabledName + "\\Leftover", "Junk", "partial copy");
    CDXiPlugin plugin(m_registry, kName.c_str());
    plugin.SetMidiEnabled(false);
    EXPECT_FALSE(m_registry.HasKey(kRoot + kDisabledName + "\\Leftover"));
    EXPECT_TRUE(m_registry.HasKey(kRoot + kDisabledName + "\\Presets\\Bank 1"));
}

TEST_F(PluginSwitchTest, TargetNameOverTheRegistryLimitGivesTheEditErrorAndLosesNothing)
{
    const std::string longName(255, 'k');
    AddInstrument(m_registry, longName);
    const std::string content = m_registry.DumpTree(kRoot + longName);
    CDXiPlugin plugin(m_registry, longName.c_str());
    plugin.SetMidiEnabled(false);
    EXPECT_TRUE(plugin.IsMidiEnabled());
    EXPECT_EQ(m_registry.DumpTree(kRoot + longName), content);
    ASSERT_EQ(m_registry.GetErrorBoxes().size(), 1u);
    EXPECT_EQ(
        m_registry.GetErrorBoxes()[0], kEditPrefix + "The parameter is incorrect.\r\n(_Disabled_" + longName + ")");
}

namespace {
struct FailurePoint {
    const char* label;
    CDXiMemoryRegistry::Operation operation;
    int nth;
    int32_t code;
    // The error box's text after the prefix; empty when no box is expected.
    std::string message;
    // Where the whole instrument must be afterwards: under the old name
    // (false) or under the new one (true).
    bool moved;
    // Whether the old key is expected to remain as well.
    bool oldKeyRemains;
    // Whether the registry renames keys in one step.
    bool renameSupported;
};

void PrintTo(const FailurePoint& point, std::ostream* out)
{
    *out << point.label;
}

class PluginSwitchFailureTest : public PluginSwitchTest, public testing::WithParamInterface<FailurePoint> { };

using Op = CDXiMemoryRegistry::Operation;
const std::string kDenied = "Access is denied.\r\n";

const FailurePoint kFailurePoints[] = {
    { "open root", Op::Open, 1, DXiRegistryCodes::kAccessDenied, kDenied + "(HKEY_CLASSES_ROOT)", false, true, true },
    { "open instrument", Op::Open, 2, DXiRegistryCodes::kAccessDenied, kDenied + "(" + kName + ")", false, true, true },
    { "delete stale target", Op::Delete, 1, DXiRegistryCodes::kAccessDenied, "", true, false, true },
    { "rename refused", Op::Rename, 1, DXiRegistryCodes::kAccessDenied, "", true, false, true },
    { "create target", Op::Create, 1, DXiRegistryCodes::kAccessDenied, kDenied + "(" + kDisabledName + ")", false, true,
        false },
    { "copy", Op::Copy, 1, DXiRegistryCodes::kAccessDenied, kDenied + "()", false, true, false },
    { "delete old", Op::Delete, 2, DXiRegistryCodes::kAccessDenied, kDenied + "(" + kName + ")", true, true, false },
};
} // namespace

TEST_P(PluginSwitchFailureTest, SwitchingOffKeepsTheInstrumentWhole)
{
    const FailurePoint& point = GetParam();
    const std::string content = m_registry.DumpTree(kRoot + kName);
    CDXiPlugin plugin(m_registry, kName.c_str());
    m_registry.SetRenameSupported(point.renameSupported);
    // A failing copy or delete has done part of its work.
    m_registry.FailCall(point.operation, point.nth, point.code, 2);
    plugin.SetMidiEnabled(false);

    const std::string& now = point.moved ? kDisabledName : kName;
    EXPECT_EQ(plugin.GetKeyName().GetText(), now);
    EXPECT_EQ(m_registry.DumpTree(kRoot + now), content);
    EXPECT_EQ(m_registry.HasKey(kRoot + kName), point.oldKeyRemains);
    EXPECT_EQ(m_registry.HasKey(kRoot + kDisabledName), point.moved);
    if (point.message.empty()) {
        EXPECT_TRUE(m_registry.GetErrorBoxes().empty());
    } else {
        ASSERT_EQ(m_registry.GetErrorBoxes().size(), 1u);
        EXPECT_EQ(m_registry.GetErrorBoxes()[0], kEditPrefix + point.message);
    }

    if (point.moved) {
        return;
    }
    // Trying again with the registry working completes the switch.
    plugin.SetMidiEnabled(false);
    EXPECT_EQ(m_registry.GetSubKeyNames("MfxSoftSynths"), std::vector<std::string> { kDisabledName });
    EXPECT_EQ(m_registry.DumpTree(kRoot + kDisabledName), content);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, PluginSwitchFailureTest, testing::ValuesIn(kFailurePoints),
    [](const testing::TestParamInfo<FailurePoint>& info) {
        std::string name = info.param.label;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        return name;
    });

namespace {
struct InterruptedSwitch {
    const char* label;
    bool enable;
    bool renameSupported;
};

const InterruptedSwitch kInterruptedSwitches[] = {
    { "off by rename", false, true },
    { "off by copy", false, false },
    { "on by rename", true, true },
    { "on by copy", true, false },
};
} // namespace

// The process is killed after every call of the switch in turn; a copy or
// delete it was in is cut after each of its steps. The next start must find
// the instrument whole, once.
TEST(PluginSwitchInterruptionTest, KilledSwitchLeavesTheWholeInstrumentUnderOneName)
{
    for (const InterruptedSwitch& path : kInterruptedSwitches) {
        const std::string from = path.enable ? kDisabledName : kName;
        bool interrupted = true;
        for (int calls = 0; interrupted; ++calls) {
            for (int steps = 0, items = 1; steps <= items; ++steps) {
                SCOPED_TRACE(std::string(path.label) + ", killed after call " + std::to_string(calls) + ", step "
                    + std::to_string(steps));
                CDXiMemoryRegistry registry;
                AddInstrument(registry, from);
                const std::string content = registry.DumpTree(kRoot + from);
                items = static_cast<int>(std::count(content.begin(), content.end(), '\n'));
                registry.SetRenameSupported(path.renameSupported);
                CDXiPlugin plugin(registry, from.c_str());
                registry.StopAfterCalls(calls, steps);
                plugin.SetMidiEnabled(path.enable);
                interrupted = registry.GetCallCount() > calls;

                registry.Restart();
                std::vector<CDXiPlugin> plugins;
                CDXiPluginStore(registry).ScanPlugins(plugins);
                ASSERT_EQ(plugins.size(), 1u);
                const std::string name = plugins[0].GetKeyName().GetText();
                EXPECT_TRUE(name == kName || name == kDisabledName) << name;
                EXPECT_EQ(registry.GetSubKeyNames("MfxSoftSynths"), std::vector<std::string> { name });
                EXPECT_EQ(registry.DumpTree(kRoot + name), content);
                EXPECT_EQ(registry.GetOpenHandleCount(), 0);
            }
        }
    }
}
