// The install path's Win32 adapters against Wine's registry, spooler and
// device setup, for what Wine does faithfully.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/RecordingReport.h"
#include "wizard/engine/RegValue.h"
#include "wizard/engine/SystemFacts.h"
#include "wizard/engine/install/Install.h"
#include "wizard/engine/tcpip/TcpIpPorts.h"
#include "wizard/engine/usb/UsbPorts.h"
#include "trust/win32/SystemLibrary.h"
#include "wizard/engine/win32/Win32Platform.h"
#include "wizard/engine/win32/Win32Spooler.h"
#include "wizard/engine/win32/WinspoolFunctions.h"
#include "wizard/shared/PoText.h"
#include "wizard/ui/ports/SpoolerPorts.h"
#include "wizard/ui/win32/ComboPortList.h"

namespace quispor {
namespace {

platform::Platform& System() { return win32::SystemPlatform(); }

std::string Narrow(const char16_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out += static_cast<char>(*text < 0x80 ? *text : '?');
  return out;
}

void PutString(HKEY key, const wchar_t* name, const std::wstring& text) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

TEST(RegistryAdapterWine, ValuesAreReadThroughRegGetValueWWithItsTypeAndSizeRules) {
  platform::Registry& registry = System().registry;
  ASSERT_NE(registry.FindRegGetValueW(), nullptr) << "advapi32 exports RegGetValueW";
  platform::RegKey key;
  ASSERT_EQ(OpenMachineKey(registry, u"SOFTWARE\\KitInstallWineTest", key), 0u);
  PutString(reinterpret_cast<HKEY>(key.get()), L"Text", L"abcdef");
  const DWORD number = 9100;
  RegSetValueExW(reinterpret_cast<HKEY>(key.get()), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);

  char16_t text[260] = {};
  uint32_t size = 520;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Text", platform::kRrfRtRegSz, text, &size), 0u);
  EXPECT_EQ(std::u16string(text), u"abcdef");
  EXPECT_EQ(size, 14u);
  char16_t small[3] = {};
  size = sizeof small;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Text", platform::kRrfRtRegSz, small, &size), 234u);
  uint32_t value = 0;
  size = sizeof value;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Number", platform::kRrfRtRegDword, &value, &size), 0u);
  EXPECT_EQ(value, 9100u);
  size = sizeof value;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Text", platform::kRrfRtRegDword, &value, &size), 1630u);
  size = sizeof value;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Missing", platform::kRrfRtRegDword, &value, &size), 2u);
}

// The USB page's list is a sorted drop-down combo box: USB100 sorts before
// USB1000, and a prefix search that starts after item 0 (CB_SELECTSTRING
// with start 0) lands on USB1000. The list selects by the whole name.
TEST(UsbPortListAdapterWine, TheSortedListSelectsTheWholeName) {
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 0, 0, 200,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(combo, nullptr) << GetLastError();
  win32::ComboPortList list(combo);
  list.AddString(u"USB1000");
  list.AddString(u"USB100");
  wchar_t text[16] = {};
  SendMessageW(combo, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(L"USB100"));
  GetWindowTextW(combo, text, 16);
  EXPECT_STREQ(text, L"USB1000") << "the control's own prefix search";
  EXPECT_EQ(list.FindStringExact(-1, u"USB100"), 0);
  EXPECT_EQ(list.FindStringExact(-1, u"usb1000"), 1);
  EXPECT_EQ(list.FindStringExact(-1, u"USB10"), -1);
  list.SetCurSel(list.FindStringExact(-1, u"USB100"));
  GetWindowTextW(combo, text, 16);
  EXPECT_STREQ(text, L"USB100");
  DestroyWindow(combo);
}

TEST(RegistryAdapterWine, TcpIpPortsAreFoundInTheMonitorsKey) {
  platform::Registry& registry = System().registry;
  const std::u16string base = std::u16string(kTcpIpPortsKeyPath) + u"\\";
  for (const auto& [name, address, port] : {std::tuple{u"B_port", L"10.9.9.9", DWORD{9100}},
                                            std::tuple{u"A_port", L"10.9.9.9", DWORD{9101}}}) {
    platform::RegKey key;
    ASSERT_EQ(OpenMachineKey(registry, (base + name).c_str(), key), 0u);
    HKEY h = reinterpret_cast<HKEY>(key.get());
    PutString(h, L"HostName", L"");
    PutString(h, L"IPAddress", address);
    RegSetValueExW(h, L"PortNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&port), sizeof port);
  }
  char16_t found[260] = {};
  FindTcpIpPort(registry, u"10.9.9.9", 9100, found);
  EXPECT_EQ(std::u16string(found), u"B_port");
  found[0] = 0;
  FindTcpIpPort(registry, u"10.9.9.9", 9101, found);
  EXPECT_EQ(std::u16string(found), u"A_port");
  found[0] = 0;
  FindTcpIpPort(registry, u"10.9.9.9", 9102, found);
  EXPECT_EQ(std::u16string(found), u"");
}

TEST(SpoolerAdapterWine, PortsAndTheMissingTcpIpMonitor) {
  const SpoolerPortList ports = EnumerateSpoolerPorts(System().spooler);
  std::vector<std::string> serial, parallel;
  for (const char16_t* n : SerialPortNames(ports)) serial.push_back(Narrow(n));
  for (const char16_t* n : ParallelPortNames(ports)) parallel.push_back(Narrow(n));
  EXPECT_EQ(serial, (std::vector<std::string>{"COM1:", "COM2:", "COM3:", "COM4:"}));
  EXPECT_EQ(parallel, (std::vector<std::string>{"LPT1:", "LPT2:", "LPT3:"}));
  EXPECT_EQ(GetSysUSBPorts(System().spooler), 122u);

  kit::fakes::FakeUserMessages messages;
  EXPECT_FALSE(AddTcpIpPort(System().spooler, messages, u"10.9.9.9", 9100));
  EXPECT_TRUE(messages.boxes.empty());
  platform::PrinterHandle monitor = 0;
  platform::PrinterDefaultsW defaults{nullptr, nullptr, platform::kServerAccessAdminister};
  EXPECT_EQ(System().spooler.OpenPrinterW(kTcpIpMonitorName, &monitor, &defaults), 1796u);
}

// Where winspool.drv could not be loaded, or lacks a function, the adapter's
// call fails as the function would, with the reason as its code.
TEST(SpoolerAdapterWine, AFunctionThatCouldNotBeBoundFailsWithTheReason) {
  using kit::trust::win32::SystemLibrary;
  const SystemLibrary missing(L"kit-no-such-library.drv");
  ASSERT_FALSE(missing.Loaded());
  const win32::WinspoolFunctions unloaded = win32::BindWinspool(missing);
  win32::Win32Spooler withoutLibrary(unloaded);
  uint32_t needed = 0xdeadbeef, returned = 0xdeadbeef;
  EXPECT_EQ(withoutLibrary.EnumPortsW(nullptr, 2, nullptr, 0, &needed, &returned), 126u);
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);

  // A system library with neither these names nor an ordinal 204.
  const SystemLibrary other(L"version.dll");
  ASSERT_TRUE(other.Loaded()) << other.LoadError();
  const win32::WinspoolFunctions lacking = win32::BindWinspool(other);
  win32::Win32Spooler withoutFunctions(lacking);
  platform::PrinterHandle printer = 0x1234;
  EXPECT_EQ(withoutFunctions.AddPrinterW(nullptr, 2, nullptr, &printer), 127u);
  EXPECT_EQ(printer, 0u);
  EXPECT_EQ(withoutFunctions.SetDefaultPrinterW(u"VEXO_80"), 127u);
  EXPECT_EQ(withoutFunctions.DeletePrinterDriverExW(nullptr, nullptr, u"VEXO_80", 0, 0), 127u);
}

TEST(DeviceSetupAdapterWine, EmptyInterfaceSetAndNoDeviceTreeRoot) {
  UsbDeviceTable table;
  // Wine's SetupDiGetClassDevsW returns a valid, empty set but leaves
  // ERROR_FILE_NOT_FOUND as the thread's last error, which is read right
  // after the call; with no interface the search lists nothing either way.
  SetLastError(0);
  EXPECT_EQ(ListUsbPrintInterfaces(System().deviceSetup, table), 2u);
  EXPECT_EQ(table.count, 0);
  EXPECT_EQ(ReenumerateDevices(System().deviceSetup), 19u) << "Wine cannot locate the root devnode";
}

TEST(InstallAdapterWine, TheWholeInstallWithTheDriverFilesBesideTheProgram) {
  SetLanguageIdSource([] { return uint16_t{0x0409}; });
  ResetPoLanguageForTest();
  char16_t folder[260] = {};
  GetProgramFolder(System().systemInfo, folder);
  ASSERT_NE(folder[0], 0);
  for (const char16_t* name : {u"VEXO_Printer_Render_64.dll", u"VEXO_Printer_UI_64.dll", u"VEXO_58.DAT"}) {
    const std::u16string path = std::u16string(folder) + name;
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  const InstallServices services{System().spooler, System().systemInfo, System().fileCopy};
  InstallState state;
  kit::fakes::RecordingReport report;
  EXPECT_EQ(RunInstallSequence(services, {true, 3, u"VEXO_58", u"LPT2:"}, state, report), 0);
  EXPECT_EQ(Narrow(report.Last().c_str()), "VEXO_58Installed printer .");
  wchar_t name[256] = {};
  DWORD size = 256;
  ASSERT_TRUE(GetDefaultPrinterW(name, &size));
  EXPECT_STREQ(name, L"VEXO_58") << "the default printer set through ordinal 204";

  // Wine takes a port it does not list (Windows answers 1796, which the
  // fakes model).
  EXPECT_EQ(RunInstallSequence(services, {false, 3, u"VEXO_58", u"NO_SUCH_PORT"}, state, report), 0);
  // Wine registers a driver whose data file is missing (VEXO_216.DAT is
  // nowhere); Windows refuses it, which the fakes model.
  EXPECT_EQ(RunInstallSequence(services, {false, 0, u"VEXO_216", u"LPT2:"}, state, report), 0);
  EXPECT_EQ(Narrow(report.Last().c_str()), "VEXO_216Installed printer .");
  SetLanguageIdSource({});
  ResetPoLanguageForTest();
}

}  // namespace
}  // namespace quispor
