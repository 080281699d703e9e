// The USB device box of the real Vantrel.exe and its watcher's hidden
// windows. Wine has no USB devices, so the box stays empty; device change
// broadcasts sent to the watcher show that its handlers are connected.
#include <windows.h>
#include <dbt.h>

#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "console/win32/resource.h"
#include "tests/e2e/console-health/HealthSession.h"

namespace vantrel::e2e {
namespace {

const wchar_t kWatcherWindowClass[] = L"VantrelUSBCommWindow";
const GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

struct WatcherSearch {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWatcherWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WatcherSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && kit::e2e::ClassOf(hwnd) == kWatcherWindowClass) search->windows.push_back(hwnd);
  return TRUE;
}

// A device interface broadcast as Windows sends it for a USB device, with
// the device path as its name. Windows (and Wine) carry the record across
// processes for the event codes with bit 0x8000.
struct InterfaceBroadcast {
  DEV_BROADCAST_DEVICEINTERFACE_W header;
  wchar_t rest[128];
};

InterfaceBroadcast UsbInterfaceBroadcast(const std::wstring& devicePath) {
  InterfaceBroadcast record = {};
  record.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  record.header.dbcc_classguid = kUsbDeviceInterface;
  devicePath.copy(record.header.dbcc_name, devicePath.size());
  record.header.dbcc_size =
      static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (devicePath.size() + 1) * sizeof(wchar_t));
  return record;
}

const wchar_t kPrinterPath[] = L"\\\\?\\USB#VID_811E&PID_0007#5&1A2B3C4D&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

class UsbListTest : public HealthSession {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(HealthSession::SetUp());
    ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::Both));
    WatcherSearch search{app->pid(), {}};
    EnumWindows(CollectWatcherWindow, reinterpret_cast<LPARAM>(&search));
    watcherWindows = search.windows;
  }

  // Sends a device change to every hidden window of the watcher (both run
  // the same window procedure) and returns when each has handled it.
  void Broadcast(WPARAM event, const void* record) {
    for (HWND window : watcherWindows) {
      DWORD_PTR answer = 0;
      ASSERT_NE(SendMessageTimeoutW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record),
                                    SMTO_ABORTIFHUNG, 10000, &answer),
                0)
          << "WM_DEVICECHANGE not answered: " << GetLastError();
    }
  }
  void BroadcastUsb(WPARAM event) {
    const InterfaceBroadcast record = UsbInterfaceBroadcast(kPrinterPath);
    Broadcast(event, &record);
  }

  std::vector<HWND> watcherWindows;
};

TEST_F(UsbListTest, TheWatcherHasItsTwoHiddenWindowsAndTheBoxStartsEmpty) {
  // The notification window and the port message window.
  EXPECT_EQ(watcherWindows.size(), 2u);
  for (HWND window : watcherWindows) EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(kit::e2e::ComboItems(Ctl(IDC_CBUSBDEV)).empty());
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"");
  EXPECT_EQ(kit::e2e::ComboSelection(Ctl(IDC_CBUSBDEV)), -1);
}

TEST_F(UsbListTest, AnArrivalRefillsTheStillEmptyBoxAndTheProgramGoesOn) {
  ASSERT_FALSE(watcherWindows.empty());
  ASSERT_NO_FATAL_FAILURE(BroadcastUsb(DBT_DEVICEARRIVAL));
  kit::e2e::SaveScreenshot("console-health-20-usb-arrival");
  EXPECT_TRUE(StillRunning());
  EXPECT_TRUE(kit::e2e::ComboItems(Ctl(IDC_CBUSBDEV)).empty());
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"");
  // No error display: the enumeration found an empty device set.
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 1000).has_value());
}

TEST_F(UsbListTest, ARemovalClearsATypedTextOnceTheBoxIsEmptyAndAnArrivalKeepsIt) {
  ASSERT_FALSE(watcherWindows.empty());
  HWND box = Ctl(IDC_CBUSBDEV);
  kit::e2e::SetText(box, L"VID_811E&PID_0007");

  ASSERT_NO_FATAL_FAILURE(BroadcastUsb(DBT_DEVICEARRIVAL));
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"VID_811E&PID_0007");

  // Neither a volume broadcast nor a removal still pending is a USB removal.
  DEV_BROADCAST_VOLUME volume = {};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << 4;
  ASSERT_NO_FATAL_FAILURE(Broadcast(DBT_DEVICEREMOVECOMPLETE, &volume));
  ASSERT_NO_FATAL_FAILURE(BroadcastUsb(DBT_DEVICEREMOVEPENDING));
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"VID_811E&PID_0007");

  ASSERT_NO_FATAL_FAILURE(BroadcastUsb(DBT_DEVICEREMOVECOMPLETE));
  kit::e2e::SaveScreenshot("console-health-21-usb-removal");
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"");
  EXPECT_TRUE(kit::e2e::ComboItems(box).empty());
  EXPECT_TRUE(StillRunning());
}

TEST_F(UsbListTest, ADeviceChangeWhileAHealthBoxIsOpenIsHandledAndTheBoxStays) {
  ASSERT_FALSE(watcherWindows.empty());
  kit::e2e::SetText(Ctl(IDC_EDTDEVNAME), L"Nobody");
  kit::e2e::SetText(Ctl(IDC_CBUSBDEV), L"VID_811E&PID_0007");
  kit::e2e::Click(Ctl(IDC_BTNTEST));
  const auto health = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(health);
  EXPECT_EQ(health->text, L"Can not open device");
  // Message boxes keep dispatching, so the removal refills the list now.
  ASSERT_NO_FATAL_FAILURE(BroadcastUsb(DBT_DEVICEREMOVECOMPLETE));
  EXPECT_EQ(Text(IDC_CBUSBDEV), L"");
  EXPECT_TRUE(IsWindow(health->hwnd));
  kit::e2e::AnswerMessageBox(*health, IDOK);
  EXPECT_TRUE(StillRunning());
}

}  // namespace
}  // namespace vantrel::e2e
