// Registry data the console reads, as another tool or a damaged profile may
// leave it: wrong types, huge texts, many keys and values, names the narrow
// calls cannot spell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/editor/MainWindowLogic.h"
#include "console/store/DeviceStore.h"
#include "tests/console/editor/RecordingView.h"
#include "tests/console/store/StoreTestSupport.h"

namespace vantrel {
namespace {

using test::DeviceKey;
using test::kClassKey;
using test::PutDevice;

class ConsoleRegistryInputTest : public ::testing::Test {
 protected:
  ::testing::AssertionResult NoKeyLeftOpen() {
    if (store.OpenHandleCount() == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << store.OpenHandleCount() << " registry handles left open";
  }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
};

// Every value of the device key in turn gets a type the reader does not
// expect; the load must fail (not show half a profile as loaded) and close
// its keys, and the window must keep running.
TEST_F(ConsoleRegistryInputTest, EveryValueOfTheWrongTypeFailsTheLoadCleanly) {
  const std::vector<std::pair<std::u16string, std::uint32_t>> wrong = {
      {u"Pid", 4},          {u"DeviceClass", 3}, {u"DeviceName", 4}, {u"DevType", 11},
      {u"ProtocolType", 1}, {u"Timeout", 3},     {u"version", 7},    {u"CommName", 4},
      {u"Baudrate", 1},     {u"Baudrate", 11}};
  for (const auto& [name, type] : wrong) {
    SCOPED_TRACE(std::string(name.begin(), name.end()) + " as type " + std::to_string(type));
    PutDevice(store, "Till", kProtocolRs232);
    store.PutValue(DeviceKey("Till"), name, type, std::vector<std::uint8_t>(8, 0x31));
    DeviceEntry entry;
    EXPECT_FALSE(LoadDeviceEntry(api, "Till", entry));
    EXPECT_TRUE(NoKeyLeftOpen());

    test::RecordingView view;
    MainWindowLogic logic(view, api, "Vantrel");
    logic.FormCreate();
    logic.DevTreeClick(view.NodeByText("Till"));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(view.FieldText(EditorField::DevName), "");
  }
}

TEST_F(ConsoleRegistryInputTest, HugeAndUnterminatedTextsAreReadWhole) {
  PutDevice(store, "Till", kProtocolTcpIp);
  const std::u16string huge(4 << 20, u'A');
  store.PutString(DeviceKey("Till"), u"TcpIp", huge);
  // Odd byte count and no terminator, as a careless binary writer leaves it.
  std::vector<std::uint8_t> odd(100001, 'p');
  store.PutValue(DeviceKey("Till"), u"Pid", 1, odd);
  DeviceEntry entry;
  ASSERT_TRUE(LoadDeviceEntry(api, "Till", entry));
  EXPECT_EQ(entry.TcpIp.size(), huge.size());
  EXPECT_EQ(entry.Pid.size(), 50000u);  // one narrow byte per UTF-16 unit read
  EXPECT_TRUE(NoKeyLeftOpen());
}

TEST_F(ConsoleRegistryInputTest, HundredsOfDevicesAreListedAndAKeyWithHundredsOfSubkeysIsDeleted) {
  for (int i = 0; i < 600; ++i) store.PutKey(DeviceKey("Dev" + std::to_string(1000 + i)));
  const std::vector<std::string> names = ListDeviceNames(api, "POSPrinter");
  ASSERT_EQ(names.size(), 600u);
  EXPECT_EQ(names.front(), "Dev1000");
  EXPECT_EQ(names.back(), "Dev1599");

  // A device key holding 300 subkeys, some nested three deep.
  PutDevice(store, "Deep", kProtocolUsb);
  for (int i = 0; i < 300; ++i) {
    const std::u16string sub = DeviceKey("Deep") + u"\\S" + kit::fakes::WidenBytes(std::to_string(i));
    store.PutKey(i % 10 == 0 ? sub + u"\\a\\b" : sub);
  }
  EXPECT_TRUE(DeleteDeviceKey(api, "POSPrinter\\Deep"));
  EXPECT_FALSE(store.HasKey(DeviceKey("Deep")));
  EXPECT_TRUE(store.HasKey(DeviceKey("Dev1599")));
  EXPECT_TRUE(NoKeyLeftOpen());
}

TEST_F(ConsoleRegistryInputTest, ThousandsOfAlternateNamesAreAllSearched) {
  for (int i = 0; i < 1500; ++i) {
    store.PutString(kClassKey, u"Alias" + kit::fakes::WidenBytes(std::to_string(i)),
                    u"Other" + kit::fakes::WidenBytes(std::to_string(i)));
  }
  store.PutString(kClassKey, u"LastAlias", u"Till");
  PutDevice(store, "Till", kProtocolRs232);
  DeviceEntry entry;
  ASSERT_TRUE(LoadDeviceEntry(api, "Till", entry));
  EXPECT_EQ(entry.AlternateName, "LastAlias");

  DeleteAlternateName(api, "POSPrinter", "Till");
  EXPECT_FALSE(store.Value(kClassKey, u"LastAlias").has_value());
  EXPECT_EQ(store.ValueNames(kClassKey).size(), 1500u);
  EXPECT_TRUE(NoKeyLeftOpen());
}

// A name added between the size query and the enumeration is longer than
// the buffer sized from the query; it must be read whole, not cut or lost.
TEST_F(ConsoleRegistryInputTest, ALongNameAddedDuringTheEnumerationIsReadWhole) {
  store.PutString(kClassKey, u"a", u"x");
  const std::string longName(16000, 'N');
  bool added = false;
  api.beforeCall = [&](const std::string& fn) {
    if (fn == "RegEnumValueA" && !added) {
      store.PutString(kClassKey, kit::fakes::WidenBytes(longName), u"Till");
      added = true;
    }
  };
  PutDevice(store, "Till", kProtocolRs232);
  DeviceEntry entry;
  ASSERT_TRUE(LoadDeviceEntry(api, "Till", entry));
  EXPECT_EQ(entry.AlternateName, longName);
}

// Names stored by a wide writer with characters outside the code page reach
// the narrow calls as "?"; the tree still shows every device and nothing
// crashes when such a device is clicked or deleted.
TEST_F(ConsoleRegistryInputTest, NamesOutsideTheCodePageAreShownAndHandledWithoutHarm) {
  store.PutKey(kClassKey + u"\\\u6253\u5370\u673A");
  store.PutKey(kClassKey + u"\\\u626B\u63CF");
  store.PutString(kClassKey, u"\u522B\u540D", u"\u6253\u5370\u673A");
  test::RecordingView view;
  MainWindowLogic logic(view, api, "Vantrel");
  logic.FormCreate();
  EXPECT_EQ(view.TreeTexts(), (std::vector<std::string>{"POSPrinter", "  ???", "  ??"}));
  logic.DevTreeClick(view.NodeByText("???"));
  view.answers.push_back(kIdYes);
  logic.RunHandler([&] { logic.Delete1Click(); });
  // The key cannot be named in the code page, so it cannot be deleted either.
  EXPECT_TRUE(store.HasKey(kClassKey + u"\\\u6253\u5370\u673A"));
  EXPECT_TRUE(NoKeyLeftOpen());
}

}  // namespace
}  // namespace vantrel
