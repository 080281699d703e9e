#include "console/usb/UsbDeviceList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/usb/CommsError.h"

namespace {

using testing::ElementsAre;

// Behaves like an editable drop-down list: choosing an item sets the text,
// clearing the items keeps it.
class RecordingBox : public vantrel::UsbDeviceBox {
 public:
  int ItemCount() const override { return static_cast<int>(items.size()); }
  void AddItem(const std::string& text) override {
    log.push_back("add " + text);
    items.push_back(text);
  }
  void ClearItems() override {
    log.push_back("clear");
    items.clear();
  }
  void ChooseItem(int index) override {
    log.push_back("choose " + std::to_string(index));
    chosen = index;
    text = items.at(static_cast<size_t>(index));
  }
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override {
    log.push_back("text '" + value + "'");
    text = value;
    chosen = -1;
  }

  std::vector<std::string> items;
  std::string text;
  int chosen = -1;
  std::vector<std::string> log;
};

class ScriptedWatcher : public vantrel::UsbDeviceSource {
 public:
  bool EnumerateDevices(std::vector<std::string>& list) override {
    log.push_back("enumerate");
    if (enumerateFails) throw vantrel::ECommsError(vantrel::kDeviceSetOpenFailedText);
    list = present;
    return true;
  }
  void CloseDevice() override {
    log.push_back("close device");
    if (closeFails) throw vantrel::ECommsError("close failed");
  }

  std::vector<std::string> present;
  bool enumerateFails = false;
  bool closeFails = false;
  std::vector<std::string> log;
};

class UsbDeviceListTest : public testing::Test {
 protected:
  RecordingBox box;
  ScriptedWatcher watcher;
};

TEST_F(UsbDeviceListTest, TheFillAddsOnlyMatchingIdentifiersUnchangedInOrderAndChoosesNone) {
  watcher.present = {"VID_0483&PID_811E", "VID_046D&PID_C077", "VID_811E&PID_0001", "vid_1&pid_811e"};
  vantrel::FillUsbDeviceList(watcher, box);
  EXPECT_THAT(box.items, ElementsAre("VID_0483&PID_811E", "VID_811E&PID_0001", "vid_1&pid_811e"));
  EXPECT_EQ(box.chosen, -1);
  EXPECT_EQ(box.text, "");
  EXPECT_THAT(watcher.log, ElementsAre("enumerate"));
}

TEST_F(UsbDeviceListTest, AnArrivalClosesRefillsAndChoosesTheFirstItem) {
  box.items = {"VID_0483&PID_811E"};
  box.text = "typed";
  watcher.present = {"VID_046D&PID_C077", "VID_0002&PID_811E", "VID_0003&PID_811E"};
  vantrel::HandleUsbArrival(watcher, box);
  EXPECT_THAT(watcher.log, ElementsAre("close device", "enumerate"));
  EXPECT_THAT(box.log, ElementsAre("clear", "add VID_0002&PID_811E", "add VID_0003&PID_811E", "choose 0"));
  EXPECT_EQ(box.text, "VID_0002&PID_811E");
}

TEST_F(UsbDeviceListTest, AnArrivalWithNothingMatchingKeepsTheText) {
  box.items = {"VID_0483&PID_811E"};
  box.text = "VID_0483&PID_811E";
  watcher.present = {"VID_046D&PID_C077"};
  vantrel::HandleUsbArrival(watcher, box);
  EXPECT_THAT(box.log, ElementsAre("clear"));
  EXPECT_EQ(box.text, "VID_0483&PID_811E");
}

TEST_F(UsbDeviceListTest, AnArrivalWhoseEnumerationFailsPassesTheErrorOnAfterEmptying) {
  box.items = {"VID_0483&PID_811E"};
  box.text = "VID_0483&PID_811E";
  watcher.enumerateFails = true;
  EXPECT_THROW(vantrel::HandleUsbArrival(watcher, box), vantrel::ECommsError);
  EXPECT_THAT(box.log, ElementsAre("clear"));
  EXPECT_EQ(box.text, "VID_0483&PID_811E");
}

TEST_F(UsbDeviceListTest, AnArrivalWhoseCloseFailsStillChoosesTheFirstOldItem) {
  box.items = {"VID_0483&PID_811E", "VID_0002&PID_811E"};
  watcher.closeFails = true;
  EXPECT_THROW(vantrel::HandleUsbArrival(watcher, box), vantrel::ECommsError);
  EXPECT_THAT(box.log, ElementsAre("choose 0"));
  EXPECT_EQ(box.text, "VID_0483&PID_811E");
}

TEST_F(UsbDeviceListTest, ARemovalKeepsTheTextWhileItemsRemainEvenForTheDeviceThatLeft) {
  box.items = {"VID_0001&PID_811E", "VID_0002&PID_811E"};
  box.text = "VID_0001&PID_811E";
  watcher.present = {"VID_0002&PID_811E"};
  vantrel::HandleUsbRemoval(watcher, box);
  EXPECT_THAT(watcher.log, ElementsAre("close device", "enumerate"));
  EXPECT_THAT(box.log, ElementsAre("clear", "add VID_0002&PID_811E"));
  EXPECT_EQ(box.text, "VID_0001&PID_811E");
}

TEST_F(UsbDeviceListTest, ARemovalThatEmptiesTheListClearsTheText) {
  box.items = {"VID_0001&PID_811E"};
  box.text = "VID_0001&PID_811E";
  watcher.present = {"VID_046D&PID_C077"};
  vantrel::HandleUsbRemoval(watcher, box);
  EXPECT_THAT(box.log, ElementsAre("clear", "text ''"));
}

TEST_F(UsbDeviceListTest, ARemovalWhoseEnumerationFailsClearsTheTextAndPassesTheErrorOn) {
  box.items = {"VID_0001&PID_811E"};
  box.text = "VID_0001&PID_811E";
  watcher.enumerateFails = true;
  EXPECT_THROW(vantrel::HandleUsbRemoval(watcher, box), vantrel::ECommsError);
  EXPECT_THAT(box.log, ElementsAre("clear", "text ''"));
}

TEST_F(UsbDeviceListTest, ARemovalWhoseCloseFailsKeepsTheOldItemsAndText) {
  box.items = {"VID_0001&PID_811E"};
  box.text = "typed";
  watcher.closeFails = true;
  EXPECT_THROW(vantrel::HandleUsbRemoval(watcher, box), vantrel::ECommsError);
  EXPECT_TRUE(box.log.empty());
  EXPECT_EQ(box.text, "typed");
}

}  // namespace
