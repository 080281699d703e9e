#include <gtest/gtest.h>

#include <stdexcept>

#include "console/editor/EditorRules.h"
#include "console/editor/MainWindowLogic.h"
#include "console/store/RegistryError.h"
#include "tests/console/editor/RecordingView.h"
#include "tests/console/store/StoreTestSupport.h"
#include "tests/fakes/registry/RegistryAssertions.h"

namespace vantrel {
namespace {

using kit::fakes::HasDword;
using kit::fakes::HasSz;
using test::DeviceKey;
using test::kClassKey;
using test::PutDevice;

class MainWindowLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PutDevice(store, "Till 2", 1);
    PutDevice(store, "Front", 0);
    store.PutString(kClassKey, u"Alias", u"Front");
  }

  void Start() {
    logic.FormCreate();
    view.pages.clear();
  }
  void Click(const std::string& text) { logic.DevTreeClick(view.NodeByText(text)); }
  std::string Field(EditorField f) const { return view.FieldText(f); }
  void Handle(void (MainWindowLogic::*handler)()) { logic.RunHandler([&] { (logic.*handler)(); }); }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  test::RecordingView view;
  MainWindowLogic logic{view, api, "Vantrel"};
};

TEST_F(MainWindowLogicTest, StartUpRunsBothBlocksAndBuildsTheExpandedTree) {
  std::vector<std::string> order;
  logic.hooks().setUpUsbDeviceList = [&] { order.push_back("usb"); };
  logic.hooks().registerPrinterControls = [&](const std::string& word) {
    order.push_back(word);
    return std::string();
  };
  Start();
  EXPECT_EQ(order, (std::vector<std::string>{"usb", "Printer"}));
  EXPECT_EQ(view.TreeTexts(), (std::vector<std::string>{"POSPrinter", "  Front", "  Till 2"}));
  EXPECT_TRUE(view.Find(view.NodeByText("POSPrinter")).expanded);
  EXPECT_EQ(logic.CurrentNode(), kNoNode);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(view.postedBoxes.empty());
}

TEST_F(MainWindowLogicTest, WhatTheRegistrationHasToSayIsShownOnceTheWindowIsUp) {
  logic.hooks().registerPrinterControls = [](const std::string&) { return std::string("Not registered."); };
  Start();
  ASSERT_EQ(view.postedBoxes.size(), 1u);
  EXPECT_EQ(view.postedBoxes[0].text, "Not registered.");
  EXPECT_EQ(view.postedBoxes[0].caption, "Vantrel");
  EXPECT_EQ(view.postedBoxes[0].flags, kMbOk | kMbIconStop);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(view.nodes.size(), 3u);
}

TEST_F(MainWindowLogicTest, StartUpDropsErrorsOfEachBlock) {
  logic.hooks().setUpUsbDeviceList = [] { throw std::runtime_error("no SetupApi"); };
  Start();
  EXPECT_EQ(view.nodes.size(), 3u);

  test::RecordingView other;
  MainWindowLogic second{other, api, "Vantrel"};
  second.hooks().registerPrinterControls = [](const std::string&) -> std::string { throw 42; };
  second.FormCreate();
  EXPECT_TRUE(other.nodes.empty());  // the tree is built after the registration
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(other.boxes.empty());
}

TEST_F(MainWindowLogicTest, ClickingADeviceLoadsAndShowsIt) {
  Start();
  Click("Front");
  EXPECT_EQ(logic.CurrentNodeText(), "Front");
  EXPECT_EQ(Field(EditorField::DevName), "Front");
  EXPECT_EQ(Field(EditorField::LName), "Alias");
  EXPECT_EQ(view.connIndex, 0);
  EXPECT_EQ(view.pages.back(), (PageState{0, {true, false, false}}));
  EXPECT_EQ(Field(EditorField::COM), "COM3");
  EXPECT_EQ(Field(EditorField::Baudrate), "19200");
  // Fields of the other kinds show what the record holds.
  EXPECT_EQ(Field(EditorField::IP), "");
  EXPECT_EQ(Field(EditorField::Port), "0");

  Click("Till 2");
  EXPECT_EQ(Field(EditorField::LName), "");  // no alternate name points to it
  EXPECT_EQ(view.connIndex, 1);
  EXPECT_EQ(Field(EditorField::IP), "10.0.0.7");
  EXPECT_EQ(Field(EditorField::Port), "9100");
  EXPECT_EQ(Field(EditorField::COM), "COM3");  // kept from the previous device
}

TEST_F(MainWindowLogicTest, ClickingTheClassNodeOrAFailingDeviceKeepsTheEditor) {
  Start();
  Click("Front");
  const auto fields = view.fields;
  Click("POSPrinter");
  EXPECT_EQ(logic.CurrentNodeLevel(), 0);
  EXPECT_EQ(view.fields, fields);

  store.PutValue(DeviceKey("Till 2"), u"Timeout", 1, {'x', 0, 0, 0});
  Click("Till 2");
  EXPECT_EQ(logic.CurrentNodeText(), "Till 2");
  EXPECT_EQ(view.fields, fields);
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(MainWindowLogicTest, AProtocolOutsideTheKindsShowsNoPage) {
  PutDevice(store, "Odd", 7);
  Start();
  Click("Odd");
  EXPECT_EQ(view.connIndex, -1);
  EXPECT_EQ(view.pages.back(), (PageState{-1, {false, false, false}}));
}

TEST_F(MainWindowLogicTest, TheConnectionBoxChoosesThePage) {
  Start();
  for (int index : {0, 1, 2, -1}) {
    view.connIndex = index;
    logic.cbConnChange();
    EXPECT_EQ(view.pages.back(), PageStep(index)) << index;
  }
}

TEST_F(MainWindowLogicTest, TheContextMenuFollowsTheRightButtonOnly) {
  Start();
  logic.DevTreeMouseDown(MouseButton::Right, kNoNode);
  EXPECT_FALSE(view.menuAttached);
  logic.DevTreeMouseDown(MouseButton::Left, view.NodeByText("Front"));
  EXPECT_FALSE(view.menuAttached);
  logic.DevTreeMouseDown(MouseButton::Right, view.NodeByText("POSPrinter"));
  EXPECT_TRUE(view.menuAttached);
  logic.DevTreeMouseDown(MouseButton::Middle, kNoNode);
  EXPECT_TRUE(view.menuAttached);
  logic.DevTreeMouseDown(MouseButton::Right, view.NodeByText("Front"));
  EXPECT_TRUE(view.menuAttached);
  EXPECT_EQ(logic.CurrentNode(), kNoNode);  // a right-click chooses nothing
}

TEST_F(MainWindowLogicTest, CollectEditorAppliesDefaultsAndKeepsCarriedFields) {
  Start();
  Click("Front");  // Pid, Timeout, Version from the profile
  view.fields[EditorField::Port] = "";
  view.fields[EditorField::Baudrate] = "fast";
  view.fields[EditorField::COM] = "COM17";
  view.connIndex = -1;
  logic.entry().DevType = "x";
  logic.CollectEditor();
  const DeviceEntry& e = logic.entry();
  EXPECT_EQ(e.ServiceObject, "SOZELTANO.OPOSPrinter");
  EXPECT_EQ(e.DeviceClass, "POSPrinter");
  EXPECT_EQ(e.DevType, "");
  EXPECT_EQ(e.TcpPort, 5100);
  EXPECT_EQ(e.Baudrate, 9600);
  EXPECT_EQ(e.CommName, "COM17");
  EXPECT_EQ(e.ProtocolType, -1);
  EXPECT_EQ(e.Pid, "PID-Front");
  EXPECT_EQ(e.Timeout, 1500);
  EXPECT_EQ(e.Version, "1.13");

  view.fields[EditorField::Port] = "port";
  view.fields[EditorField::Baudrate] = "";
  logic.CollectEditor();
  EXPECT_EQ(logic.entry().TcpPort, 5100);
  EXPECT_EQ(logic.entry().Baudrate, 9600);
}

TEST_F(MainWindowLogicTest, SaveWritesTheEditorAndRebuildsTheTree) {
  Start();
  Click("Front");
  view.fields[EditorField::DevName] = "Kitchen";
  view.fields[EditorField::LName] = "Hot";
  view.fields[EditorField::USBDev] = "VID_811E&PID_0003";
  view.connIndex = 2;
  Handle(&MainWindowLogic::btnSaveClick);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(HasSz(store, DeviceKey("Kitchen"), "USBDevName", "VID_811E&PID_0003"));
  EXPECT_TRUE(HasSz(store, DeviceKey("Kitchen"), "Pid", "PID-Front"));
  EXPECT_TRUE(HasDword(store, DeviceKey("Kitchen"), "ProtocolType", 2));
  EXPECT_TRUE(HasSz(store, kClassKey, "Hot", "Kitchen"));
  EXPECT_EQ(view.TreeTexts(),
            (std::vector<std::string>{"POSPrinter", "  Front", "  Kitchen", "  Till 2"}));
  EXPECT_EQ(logic.CurrentNode(), kNoNode);
}

TEST_F(MainWindowLogicTest, SaveRefusesAnEmptyOrNestedDeviceNameAndWritesNothing) {
  Start();
  api.ClearCalls();
  for (const auto& [name, message] :
       {std::pair<std::string, std::string>{"", "Device name must not be empty."},
        {"a\\b", "Device name must not contain '\\'."}}) {
    view.fields[EditorField::DevName] = name;
    view.boxes.clear();
    Handle(&MainWindowLogic::btnSaveClick);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, message);
    EXPECT_EQ(view.boxes[0].caption, "Vantrel");
    EXPECT_EQ(view.boxes[0].flags, kMbIconStop | kMbOk);
  }
  EXPECT_TRUE(api.Calls().empty());
}

TEST_F(MainWindowLogicTest, ASaveErrorReachesTheErrorDisplayAndKeepsTheTree) {
  Start();
  Click("Front");
  const int clears = view.clears;
  api.FailCall("RegCreateKeyExA", "Front", 5);
  Handle(&MainWindowLogic::btnSaveClick);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text,
            "Failed to create key Front.\nAdministrator rights are needed to change the device profiles.");
  EXPECT_EQ(view.boxes[0].caption, "Vantrel");
  EXPECT_EQ(view.boxes[0].flags, 0x10u);
  EXPECT_EQ(view.clears, clears);
  EXPECT_EQ(logic.CurrentNodeText(), "Front");

  // A text ending in a quote comes before "." and is shown as it is; a
  // failure other than a refusal gives no hint.
  api.FailCall("RegSetValueExA", "Pid", 1);
  view.fields[EditorField::DevName] = "Other";
  Handle(&MainWindowLogic::btnSaveClick);
  ASSERT_EQ(view.boxes.size(), 2u);
  EXPECT_EQ(view.boxes[1].text, "Failed to set data for 'Pid'");
}

TEST_F(MainWindowLogicTest, DeleteAsksAndOnlyYesDeletes) {
  Start();
  Click("Front");
  view.answers = {kIdNo};
  logic.Delete1Click();
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text, "Are you sure to delete device Front ?");
  EXPECT_EQ(view.boxes[0].caption, "Delete Device");
  EXPECT_EQ(view.boxes[0].flags, kMbYesNo);
  EXPECT_TRUE(store.HasKey(DeviceKey("Front")));
  EXPECT_EQ(logic.CurrentNodeText(), "Front");

  store.PutString(kClassKey, u"Second", u"Front");
  view.fields[EditorField::COM] = "unsaved edit";
  view.answers = {kIdYes};
  logic.Delete1Click();
  EXPECT_FALSE(store.HasKey(DeviceKey("Front")));
  EXPECT_EQ(store.ValueNames(kClassKey), std::vector<std::u16string>{u"Second"});
  EXPECT_EQ(view.TreeTexts(), (std::vector<std::string>{"POSPrinter", "  Till 2"}));
  EXPECT_EQ(logic.CurrentNode(), kNoNode);
  // The reload finds no key and shows the record again with the remaining
  // alternate name.
  EXPECT_EQ(Field(EditorField::COM), "COM3");
  EXPECT_EQ(Field(EditorField::LName), "Second");
  EXPECT_EQ(Field(EditorField::DevName), "Front");

  view.boxes.clear();
  logic.Delete1Click();  // nothing current any more
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(MainWindowLogicTest, DeleteActsOnTheLastClickedDeviceAndIgnoresTheClassNode) {
  Start();
  Click("POSPrinter");
  logic.Delete1Click();
  EXPECT_TRUE(view.boxes.empty());

  Click("Till 2");
  logic.DevTreeMouseDown(MouseButton::Right, view.NodeByText("Front"));
  view.answers = {kIdYes};
  logic.Delete1Click();
  EXPECT_EQ(view.boxes.at(0).text, "Are you sure to delete device Till 2 ?");
  EXPECT_FALSE(store.HasKey(DeviceKey("Till 2")));
  EXPECT_TRUE(store.HasKey(DeviceKey("Front")));
}

TEST_F(MainWindowLogicTest, CheckHealthRunsItsHookUnderTheWaitCursorAndErrorsGoToTheDisplay) {
  Start();
  Handle(&MainWindowLogic::btnTestClick);  // no hook: nothing happens
  EXPECT_TRUE(view.boxes.empty());
  std::vector<bool> busyDuringCheck;
  logic.hooks().runCheckHealth = [&] { busyDuringCheck.push_back(view.busy); };
  Handle(&MainWindowLogic::btnTestClick);
  EXPECT_FALSE(view.busy);
  logic.hooks().runCheckHealth = [&] {
    busyDuringCheck.push_back(view.busy);
    throw std::runtime_error("Class not registered");
  };
  Handle(&MainWindowLogic::btnTestClick);
  EXPECT_FALSE(view.busy);
  EXPECT_EQ(busyDuringCheck, (std::vector<bool>{true, true}));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text, "Class not registered.");
}

TEST_F(MainWindowLogicTest, TheKeyboardSelectsLikeAClick) {
  Start();
  logic.DevTreeKeySelect(view.NodeByText("Till 2"));
  EXPECT_EQ(logic.CurrentNodeText(), "Till 2");
  EXPECT_EQ(Field(EditorField::IP), "10.0.0.7");
  const auto fields = view.fields;
  logic.DevTreeKeySelect(view.NodeByText("POSPrinter"));
  EXPECT_EQ(logic.CurrentNodeLevel(), 0);
  EXPECT_EQ(view.fields, fields);
}

TEST_F(MainWindowLogicTest, DelDeletesTheSelectedDeviceAfterItsQuestion) {
  Start();
  Click("Front");
  logic.DevTreeDeleteKey(view.NodeByText("POSPrinter"));
  EXPECT_TRUE(view.boxes.empty());
  view.answers = {kIdNo, kIdYes};
  logic.DevTreeDeleteKey(view.NodeByText("Till 2"));
  EXPECT_TRUE(store.HasKey(DeviceKey("Till 2")));
  logic.DevTreeDeleteKey(view.NodeByText("Till 2"));
  EXPECT_EQ(view.boxes.at(1).text, "Are you sure to delete device Till 2 ?");
  EXPECT_FALSE(store.HasKey(DeviceKey("Till 2")));
  // Another device was clicked last: it stays current.
  EXPECT_EQ(logic.CurrentNodeText(), "Front");
}

TEST_F(MainWindowLogicTest, TheMenuFromTheKeyboardActsOnTheSelectionFromTheMouseAsBefore) {
  std::vector<std::pair<std::string, std::optional<std::string>>> exports;
  logic.hooks().exportProfiles = [&](const std::string& cls, const std::optional<std::string>& device) {
    exports.emplace_back(cls, device);
  };
  Start();
  EXPECT_FALSE(logic.DevTreeMenuKey(kNoNode));  // nothing selected: no menu
  Click("Front");
  ASSERT_TRUE(logic.DevTreeMenuKey(view.NodeByText("Till 2")));
  logic.Export1Click();
  view.answers = {kIdYes};
  logic.Delete1Click();
  EXPECT_EQ(view.boxes.at(0).text, "Are you sure to delete device Till 2 ?");

  // With the mouse, "Delete" keeps to the device clicked last and "Export..."
  // takes the node under the pointer.
  logic.DevTreeMouseDown(MouseButton::Right, view.NodeByText("POSPrinter"));
  logic.Export1Click();
  view.answers = {kIdNo};
  logic.Delete1Click();
  EXPECT_EQ(view.boxes.at(1).text, "Are you sure to delete device Front ?");
  EXPECT_EQ(exports, (std::vector<std::pair<std::string, std::optional<std::string>>>{
                         {"POSPrinter", "Till 2"}, {"POSPrinter", std::nullopt}}));
}

TEST_F(MainWindowLogicTest, ImportRebuildsTheTreeOnlyWhenItWrote) {
  Start();
  Click("Front");
  bool wrote = false;
  logic.hooks().importProfiles = [&] { return wrote; };
  logic.Import1Click();
  EXPECT_EQ(logic.CurrentNodeText(), "Front");
  wrote = true;
  logic.Import1Click();
  EXPECT_EQ(logic.CurrentNode(), kNoNode);

  // A refused file wrote nothing; a failed write may have left the
  // registry changed, so the tree shows it again.
  Click("Front");
  logic.hooks().importProfiles = []() -> bool { throw std::runtime_error("x.reg cannot be imported."); };
  Handle(&MainWindowLogic::Import1Click);
  EXPECT_EQ(logic.CurrentNodeText(), "Front");
  const int clears = view.clears;
  logic.hooks().importProfiles = []() -> bool {
    throw RegistryError("x.reg was not imported: device Front could not be written (Failed to set data for 'Pid').", 5);
  };
  Handle(&MainWindowLogic::Import1Click);
  EXPECT_EQ(view.clears, clears + 1);
  EXPECT_EQ(view.boxes.back().text,
            "x.reg was not imported: device Front could not be written (Failed to set data for 'Pid').\n"
            "Administrator rights are needed to change the device profiles.");
}

TEST_F(MainWindowLogicTest, SavingOverAnotherDeviceAsksAndNoWritesNothing) {
  Start();
  Click("Front");
  view.fields[EditorField::DevName] = "till 2";
  view.answers = {kIdNo};
  api.ClearCalls();
  Handle(&MainWindowLogic::btnSaveClick);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text, "Device till 2 already exists. Replace it?");
  EXPECT_EQ(view.boxes[0].caption, "Save Device");
  EXPECT_EQ(view.boxes[0].flags, kMbYesNo | kMbIconWarning | kMbDefButton2);
  EXPECT_TRUE(api.CallNames("RegSetValueExA").empty());
  EXPECT_TRUE(api.CallNames("RegCreateKeyExA").empty());
  EXPECT_EQ(logic.entry().DeviceName, "Front");  // the record is untouched too

  view.answers = {kIdYes};
  Handle(&MainWindowLogic::btnSaveClick);
  EXPECT_TRUE(HasDword(store, DeviceKey("Till 2"), "ProtocolType", 0));
  // What was just saved is the loaded device now.
  Handle(&MainWindowLogic::btnSaveClick);
  EXPECT_EQ(view.boxes.size(), 2u);
}

TEST_F(MainWindowLogicTest, SavingTheLoadedOrANewDeviceAsksNothing) {
  Start();
  Click("Front");
  view.fields[EditorField::DevName] = "FRONT";  // the same key
  Handle(&MainWindowLogic::btnSaveClick);
  // The key keeps its spelling, and its DeviceName agrees with it.
  EXPECT_EQ(store.SubkeyNames(kClassKey), (std::vector<std::u16string>{u"Front", u"Till 2"}));
  EXPECT_TRUE(HasSz(store, DeviceKey("Front"), "DeviceName", "Front"));
  EXPECT_EQ(Field(EditorField::DevName), "Front");
  view.fields[EditorField::DevName] = "Kitchen";
  Handle(&MainWindowLogic::btnSaveClick);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(store.HasKey(DeviceKey("Kitchen")));

  // Nothing loaded yet: any existing name asks.
  test::RecordingView fresh;
  MainWindowLogic other{fresh, api, "Vantrel"};
  other.FormCreate();
  fresh.fields[EditorField::DevName] = "Front";
  other.RunHandler([&] { other.btnSaveClick(); });
  EXPECT_EQ(fresh.boxes.size(), 1u);
}

}  // namespace
}  // namespace vantrel
