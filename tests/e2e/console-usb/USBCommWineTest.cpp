// Drives a real TUSBComm through its hidden windows: device-change broadcasts
// built here as Windows builds them, the port messages, and the enumeration
// against Wine's SetupAPI.
#include <windows.h>
#include <dbt.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "console/usb/CommsError.h"
#include "console/usb/UsbDeviceList.h"
#include "console/usb/win32/USBComm.h"

namespace {

using vantrel::win32::SetupApiBinding;
using vantrel::win32::TUSBComm;

const GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

// A device interface broadcast with its name, as the system sends it.
std::vector<unsigned char> InterfaceBroadcast(const char* name) {
  std::vector<unsigned char> record(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + std::strlen(name) + 1, 0);
  auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
  header->dbcc_size = static_cast<DWORD>(record.size());
  header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  header->dbcc_classguid = kUsbDeviceInterface;
  std::memcpy(header->dbcc_name, name, std::strlen(name) + 1);
  return record;
}

DEV_BROADCAST_VOLUME VolumeBroadcast() {
  DEV_BROADCAST_VOLUME volume = {};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << ('E' - 'A');
  return volume;
}

const char kPrinterName[] = "\\\\?\\USB#VID_0483&PID_811E#0001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

class USBCommTest : public testing::Test {
 protected:
  void SetUp() override {
    comm.SetOnUSBArrival([this](TUSBComm* sender) { events.push_back(sender == &comm ? "arrival" : "arrival?"); });
    comm.SetOnUSBRemove([this](TUSBComm* sender) { events.push_back(sender == &comm ? "remove" : "remove?"); });
    comm.SetErrorDisplay([this](const std::string& text) { errors.push_back(text); });
  }

  LRESULT Send(HWND window, WPARAM code, const void* broadcast) {
    return SendMessageA(window, WM_DEVICECHANGE, code, reinterpret_cast<LPARAM>(broadcast));
  }

  TUSBComm comm;
  std::vector<std::string> events;
  std::vector<std::string> errors;
};

TEST_F(USBCommTest, ConstructionCreatesTwoHiddenWindowsAndRegistersForNotifications) {
  ASSERT_NE(comm.NotificationWindow(), nullptr);
  ASSERT_NE(comm.PortMessageWindow(), nullptr);
  EXPECT_NE(comm.NotificationWindow(), comm.PortMessageWindow());
  EXPECT_FALSE(IsWindowVisible(comm.NotificationWindow()));
  EXPECT_FALSE(IsWindowVisible(comm.PortMessageWindow()));
  EXPECT_TRUE(comm.NotificationRegistered()) << "RegisterDeviceNotificationA failed";
}

TEST_F(USBCommTest, ArrivalAndRemoveCompleteRaiseTheirEvents) {
  const auto record = InterfaceBroadcast(kPrinterName);
  EXPECT_EQ(Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, record.data()), TRUE);
  EXPECT_THAT(events, testing::ElementsAre("arrival"));
  Send(comm.NotificationWindow(), DBT_DEVICEREMOVECOMPLETE, record.data());
  EXPECT_THAT(events, testing::ElementsAre("arrival", "remove"));
  EXPECT_TRUE(errors.empty());
}

TEST_F(USBCommTest, OtherEventCodesAndOtherBroadcastKindsRaiseNothing) {
  const auto record = InterfaceBroadcast(kPrinterName);
  const DEV_BROADCAST_VOLUME volume = VolumeBroadcast();
  // A query may go on: the watcher does not veto a removal.
  EXPECT_NE(Send(comm.NotificationWindow(), DBT_DEVICEQUERYREMOVE, record.data()), BROADCAST_QUERY_DENY);
  Send(comm.NotificationWindow(), DBT_DEVICEREMOVEPENDING, record.data());
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, &volume);
  Send(comm.NotificationWindow(), DBT_DEVICEREMOVECOMPLETE, &volume);
  Send(comm.NotificationWindow(), DBT_DEVNODES_CHANGED, nullptr);
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, nullptr);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(USBCommTest, BothHiddenWindowsShareTheWindowProcedure) {
  const auto record = InterfaceBroadcast(kPrinterName);
  Send(comm.PortMessageWindow(), DBT_DEVICEARRIVAL, record.data());
  EXPECT_THAT(events, testing::ElementsAre("arrival"));
}

TEST_F(USBCommTest, AHandlerErrorGoesToTheErrorDisplayAndLaterNotificationsStillArrive) {
  comm.SetOnUSBArrival([](TUSBComm*) { throw vantrel::ECommsError("Failed to open handle to HID device set"); });
  const auto record = InterfaceBroadcast(kPrinterName);
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, record.data());
  EXPECT_THAT(errors, testing::ElementsAre("Failed to open handle to HID device set"));

  Send(comm.NotificationWindow(), DBT_DEVICEREMOVECOMPLETE, record.data());
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, record.data());
  EXPECT_THAT(events, testing::ElementsAre("remove"));
  EXPECT_EQ(errors.size(), 2u);
}

TEST_F(USBCommTest, AnErrorDisplayThatFailsItselfIsContained) {
  comm.SetErrorDisplay([](const std::string&) { throw std::runtime_error("display failed"); });
  comm.SetOnUSBArrival([](TUSBComm*) { throw std::runtime_error("handler failed"); });
  const auto record = InterfaceBroadcast(kPrinterName);
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, record.data());
  Send(comm.NotificationWindow(), DBT_DEVICEREMOVECOMPLETE, record.data());
  EXPECT_THAT(events, testing::ElementsAre("remove"));
}

TEST_F(USBCommTest, ADataMessageFreesItsBufferWithoutAHandler) {
  HLOCAL buffer = LocalAlloc(LMEM_MOVEABLE, 16);
  ASSERT_NE(buffer, nullptr);
  ASSERT_NE(LocalFlags(buffer), LMEM_INVALID_HANDLE);
  SendMessageA(comm.PortMessageWindow(), WM_USER + 1, 16, reinterpret_cast<LPARAM>(buffer));
  EXPECT_EQ(LocalFlags(buffer), LMEM_INVALID_HANDLE) << "the buffer is still allocated";
}

TEST_F(USBCommTest, ADataMessageReachesItsHandlerAndIsFreedAfterwards) {
  HLOCAL buffer = LocalAlloc(LMEM_MOVEABLE, 8);
  ASSERT_NE(buffer, nullptr);
  void* seen = nullptr;
  int length = -1;
  bool allocatedDuringCall = false;
  comm.SetOnReceiveData([&](TUSBComm* sender, void* data, std::uint16_t size) {
    seen = data;
    length = size;
    allocatedDuringCall = LocalFlags(static_cast<HLOCAL>(data)) != LMEM_INVALID_HANDLE;
    EXPECT_EQ(sender, &comm);
  });
  // Only the low 16 bits of wParam are the length.
  SendMessageA(comm.PortMessageWindow(), WM_USER + 1, 0x00030008, reinterpret_cast<LPARAM>(buffer));
  EXPECT_EQ(seen, static_cast<void*>(buffer));
  EXPECT_EQ(length, 8);
  EXPECT_TRUE(allocatedDuringCall);
  EXPECT_EQ(LocalFlags(buffer), LMEM_INVALID_HANDLE);
}

TEST_F(USBCommTest, ADataHandlerErrorIsShownAndTheBufferStillFreed) {
  HLOCAL buffer = LocalAlloc(LMEM_MOVEABLE, 4);
  comm.SetOnReceiveData([](TUSBComm*, void*, std::uint16_t) { throw std::runtime_error("bad data"); });
  SendMessageA(comm.PortMessageWindow(), WM_USER + 1, 4, reinterpret_cast<LPARAM>(buffer));
  EXPECT_THAT(errors, testing::ElementsAre("bad data"));
  EXPECT_EQ(LocalFlags(buffer), LMEM_INVALID_HANDLE);
}

TEST_F(USBCommTest, ReceiveErrorAndSendEmptyMessagesRaiseTheirEvents) {
  std::uint32_t mask = 0;
  int empties = 0;
  SendMessageA(comm.PortMessageWindow(), WM_USER + 2, 0, 0x48);  // no handler yet: nothing happens
  comm.SetOnReceiveError([&](TUSBComm*, std::uint32_t eventMask) { mask = eventMask; });
  comm.SetOnSendDataEmpty([&](TUSBComm*) { ++empties; });
  SendMessageA(comm.PortMessageWindow(), WM_USER + 2, 0, 0x48);
  SendMessageA(comm.PortMessageWindow(), WM_USER + 5, 0, 0);
  EXPECT_EQ(mask, 0x48u);
  EXPECT_EQ(empties, 1);
}

TEST_F(USBCommTest, EnumerationUnderWineEmptiesTheListAndReturnsTrue) {
  std::vector<std::string> list = {"stale"};
  EXPECT_TRUE(comm.EnumerateDevices(list));
  EXPECT_THAT(list, testing::Not(testing::Contains("stale")));
  for (const std::string& id : list) EXPECT_EQ(id.find('#'), std::string::npos) << id;
}

TEST_F(USBCommTest, ThePortSkeletonStaysClosed) {
  comm.CloseDevice();
  comm.StopReader();
  comm.StopWriter();
  comm.SetOutx_XonXoffFlow(true);
  EXPECT_TRUE(comm.Outx_XonXoffFlow());
  comm.SetOutx_XonXoffFlow(true);
  comm.SetOutx_XonXoffFlow(false);
  EXPECT_FALSE(comm.Outx_XonXoffFlow());
}

TEST(USBCommBindingTest, TheSetupApiBindingIsCountedPerInstance) {
  const int before = SetupApiBinding::ShareCount();
  {
    TUSBComm first;
    {
      TUSBComm second;
      EXPECT_EQ(SetupApiBinding::ShareCount(), before + 2);
    }
    EXPECT_EQ(SetupApiBinding::ShareCount(), before + 1);
    std::vector<std::string> list;
    EXPECT_TRUE(first.EnumerateDevices(list));
  }
  EXPECT_EQ(SetupApiBinding::ShareCount(), before);
}

// Windows 7 without the update that brought LOAD_LIBRARY_SEARCH_SYSTEM32
// refuses the flag with 87; the library must then come from the full path of
// the system folder, never from the search path.
TEST(USBCommBindingTest, WhereTheSearchFlagIsRefusedTheSystemFoldersLibraryIsBound) {
  ASSERT_EQ(SetupApiBinding::ShareCount(), 0) << "the first share binds";
  std::vector<std::pair<std::wstring, std::uint32_t>> loads;
  SetupApiBinding::UseLibraryLoader([&loads](const wchar_t* name, std::uint32_t flags) -> void* {
    loads.emplace_back(name, flags);
    if ((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    return LoadLibraryExW(name, nullptr, flags);
  });
  {
    SetupApiBinding binding;
    EXPECT_TRUE(binding.Available());
    TUSBComm comm;
    std::vector<std::string> list;
    EXPECT_NO_THROW(EXPECT_TRUE(comm.EnumerateDevices(list)));
  }
  SetupApiBinding::UseLibraryLoader({});
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring fullPath = std::wstring(system) + L"\\SetupApi.dll";
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0], std::make_pair(std::wstring(L"SetupApi.dll"), std::uint32_t{LOAD_LIBRARY_SEARCH_SYSTEM32}));
  EXPECT_EQ(loads[1], std::make_pair(fullPath, std::uint32_t{LOAD_WITH_ALTERED_SEARCH_PATH}))
      << "its own imports are then searched in the system folder, not the program's";
}

TEST(USBCommBindingTest, ADestroyedWatcherReceivesNothing) {
  HWND window = nullptr;
  int arrivals = 0;
  {
    TUSBComm comm;
    comm.SetOnUSBArrival([&](TUSBComm*) { ++arrivals; });
    window = comm.NotificationWindow();
  }
  EXPECT_FALSE(IsWindow(window));
  const auto record = InterfaceBroadcast(kPrinterName);
  SendMessageA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(record.data()));
  EXPECT_EQ(arrivals, 0);
}

// The console's arrival handler over the real watcher: whatever Wine lists,
// only "811E" devices reach the box.
class ListBox : public vantrel::UsbDeviceBox {
 public:
  int ItemCount() const override { return static_cast<int>(items.size()); }
  void AddItem(const std::string& text) override { items.push_back(text); }
  void ClearItems() override { items.clear(); }
  void ChooseItem(int index) override { text = items.at(static_cast<size_t>(index)); }
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override { text = value; }
  std::vector<std::string> items;
  std::string text;
};

TEST_F(USBCommTest, TheArrivalHandlerRefillsTheBoxFromTheRealWatcher) {
  ListBox box;
  box.items = {"VID_0483&PID_811E"};
  box.text = "typed";
  comm.SetOnUSBArrival([&](TUSBComm* sender) { vantrel::HandleUsbArrival(*sender, box); });
  const auto record = InterfaceBroadcast(kPrinterName);
  Send(comm.NotificationWindow(), DBT_DEVICEARRIVAL, record.data());
  EXPECT_TRUE(errors.empty());
  for (const std::string& id : box.items) EXPECT_NE(id.find("811E"), std::string::npos) << id;
  if (box.items.empty()) {
    EXPECT_EQ(box.text, "typed");
  } else {
    EXPECT_EQ(box.text, box.items.front());
  }
}

}  // namespace
