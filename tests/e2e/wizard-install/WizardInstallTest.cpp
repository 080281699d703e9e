// Installations by the real Quispor.exe under Wine: a copy of the wizard with
// dummy driver package files beside it installs VEXO_80 on Wine's serial and
// parallel ports, on a Standard TCP/IP port prepared in the registry, and
// refuses a port it cannot find or create. The tests share one prefix and
// run in order: the spooler keeps what the earlier ones installed.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>
#include <cfgmgr32.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/wizard/MakerPrinters.h"
#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

using ::testing::ElementsAre;

constexpr wchar_t kPortNull[] =
    L"Please select a port for printer.Please connect the printer USB to the computer and turn on the "
    L"power.";
constexpr int kInstall = 1022, kModelList = 1039, kDefaultPrinter = 1029;
constexpr int kEnet = 1004, kUsb = 1005, kCom = 1006, kLpt = 1007;
constexpr int kUsbList = 1008, kIpAddress = 1009, kSearchUsb = 1010, kTcpPort = 1032, kComList = 1013,
              kLptList = 1014, kFinishText = 1030;
constexpr int kVexo80 = 2;
constexpr wchar_t kPortsKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";
constexpr wchar_t kFlagFile[] = L"C:\\Nimbel_Driver_Debug_Flag.txt";
constexpr char kLogFile[] = "C:\\My_Debug_Driver_Log.txt";

// The wizard with its driver package, in a folder of its own.
std::wstring KitCopy() {
  return ProgramCopy(L"kit", {{L"VEXO_Printer_Render_64.dll", "render module"},
                              {L"VEXO_Printer_UI_64.dll", "ui module"},
                              {L"VEXO_80.DAT", "data file"}});
}

std::wstring DriverDirectory() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1, reinterpret_cast<BYTE*>(directory),
                             sizeof(directory), &needed);
  return directory;
}

const Printer* FindPrinter(const std::vector<Printer>& printers, const std::wstring& name) {
  for (const Printer& p : printers)
    if (p.name == name) return &p;
  return nullptr;
}

std::wstring FileName(const wchar_t* path) {
  const std::wstring p = path != nullptr ? path : L"";
  const size_t slash = p.rfind(L'\\');
  return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

// Walks from the choice page to the ports page and picks VEXO_80 and a kind.
// Once a VEXO printer exists the choice page pre-selects uninstall, so
// install is chosen first.
void ToPortPage(WizardSession& wizard, int kindRadio, int shownControl) {
  Click(wizard.Control(kInstall));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kInstall)); }));
  ASSERT_TRUE(wizard.Next(kModelList));
  ChooseComboItem(wizard.Control(kModelList), kVexo80);
  Click(wizard.Control(kindRadio));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kindRadio)); }));
  ASSERT_TRUE(wizard.Next(shownControl));
}

bool WaitFinishText(WizardSession& wizard, const std::wstring& text) {
  return WaitUntil([&] { return IsShown(wizard.Control(kFinishText)) && wizard.Text(kFinishText) == text; });
}

void PutTcpIpPort(const std::wstring& name, const std::wstring& address, DWORD number) {
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kPortsKey) + L"\\" + name;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t empty[] = L"";
  RegSetValueExW(key, L"HostName", 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof(empty));
  RegSetValueExW(key, L"IPAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                 static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)));
  RegSetValueExW(key, L"PortNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  RegCloseKey(key);
}

void SetAddress(WizardSession& wizard, BYTE a, BYTE b, BYTE c, BYTE d, const std::wstring& port) {
  SendMessageW(wizard.Control(kIpAddress), IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(a, b, c, d)));
  SetText(wizard.Control(kTcpPort), port);
}

TEST(WizardInstall, SerialThenParallelInstallRegistersTheDriverAndNumbersThePrinter) {
  const std::wstring exe = KitCopy();
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kCom, kComList);
  EXPECT_THAT(ComboItems(wizard.Control(kComList)), ElementsAre(L"COM1:", L"COM2:", L"COM3:", L"COM4:"));
  EXPECT_EQ(ComboSelection(wizard.Control(kComList)), 0);
  SaveScreenshot("wizard-install-en-com");

  ASSERT_TRUE(wizard.Next(kFinishText));
  EXPECT_TRUE(WaitFinishText(wizard, L"VEXO_80Installed printer .")) << Narrow(wizard.Text(kFinishText));
  EXPECT_EQ(wizard.Text(kBack), L"Install Another Printer");
  EXPECT_EQ(wizard.Text(kNext), L"Close");
  EXPECT_TRUE(IsEnabled(wizard.Control(kBack)));
  SaveScreenshot("wizard-install-en-finish-com");

  // The driver with the 64-bit names, its files in the x64 driver directory.
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 3, nullptr, 0, &needed, &returned);
  std::vector<BYTE> drivers(needed + 1);
  ASSERT_TRUE(EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 3, drivers.data(), needed, &needed,
                                  &returned));
  ASSERT_EQ(returned, 1u);
  const auto* driver = reinterpret_cast<const DRIVER_INFO_3W*>(drivers.data());
  EXPECT_STREQ(driver->pName, L"VEXO_80");
  EXPECT_EQ(FileName(driver->pDriverPath), L"VEXO_Printer_Render_64.dll");
  EXPECT_EQ(FileName(driver->pConfigFile), L"VEXO_Printer_UI_64.dll");
  EXPECT_EQ(FileName(driver->pDataFile), L"VEXO_80.DAT");
  const std::wstring directory = DriverDirectory();
  for (const wchar_t* name : {L"VEXO_Printer_Render_64.dll", L"VEXO_Printer_UI_64.dll", L"VEXO_80.DAT"}) {
    EXPECT_NE(GetFileAttributesW((directory + L"\\" + name).c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(name);
  }
  std::vector<Printer> printers = Printers();
  ASSERT_NE(FindPrinter(printers, L"VEXO_80"), nullptr);
  EXPECT_EQ(FindPrinter(printers, L"VEXO_80")->port, L"COM1:");
  EXPECT_EQ(FindPrinter(printers, L"VEXO_80")->driver, L"VEXO_80");
  EXPECT_EQ(DefaultPrinter(), L"VEXO_80");

  // Install Another Printer: back on the ports page with every choice kept.
  ASSERT_TRUE(wizard.Back(kModelList));
  EXPECT_EQ(ComboSelection(wizard.Control(kModelList)), kVexo80);
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kCom), true));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kDefaultPrinter), true));
  EXPECT_EQ(wizard.Text(kBack), L"Last Step");
  EXPECT_EQ(wizard.Text(kNext), L"Next Step");
  SaveScreenshot("wizard-install-en-ports-again");
  Click(wizard.Control(kLpt));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kLpt)); }));
  ASSERT_TRUE(wizard.Next(kLptList));
  EXPECT_THAT(ComboItems(wizard.Control(kLptList)), ElementsAre(L"LPT1:", L"LPT2:", L"LPT3:"));
  EXPECT_EQ(ComboSelection(wizard.Control(kLptList)), 0);
  SaveScreenshot("wizard-install-en-lpt");
  ASSERT_TRUE(wizard.Next(kFinishText));
  // Wine's AddPrinterW does not refuse a taken name: it takes the base name
  // again and moves the existing printer to the new port, so no numbered
  // name is made there (the numbering is tested against the fakes).
  EXPECT_TRUE(WaitFinishText(wizard, L"VEXO_80Installed printer .")) << Narrow(wizard.Text(kFinishText));
  SaveScreenshot("wizard-install-en-finish-lpt");
  printers = Printers();
  ASSERT_EQ(printers.size(), 1u);
  EXPECT_EQ(printers[0].name, L"VEXO_80");
  EXPECT_EQ(printers[0].port, L"LPT1:");
  EXPECT_EQ(DefaultPrinter(), L"VEXO_80");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  EXPECT_EQ(wizard.ExitCode(), 129);
}

TEST(WizardInstall, EthernetUsesATcpIpPortPreparedInTheRegistry) {
  PutTcpIpPort(L"IP_10.0.0.50", L"10.0.0.50", 9100);
  const std::wstring exe = KitCopy();
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kEnet, kIpAddress);
  SetAddress(wizard, 10, 0, 0, 50, L"9100");
  SaveScreenshot("wizard-install-en-enet");
  ASSERT_TRUE(wizard.Next(kFinishText));
  // The lookup found the prepared port, so no creation was tried (Wine has no
  // monitor to try it with) and the printer is put on it. Wine's AddPrinterW
  // takes a port name it does not list and, as above, the taken base name.
  EXPECT_TRUE(WaitFinishText(wizard, L"VEXO_80Installed printer .")) << Narrow(wizard.Text(kFinishText));
  SaveScreenshot("wizard-install-en-finish-enet");
  const std::vector<Printer> printers = Printers();
  ASSERT_NE(FindPrinter(printers, L"VEXO_80"), nullptr);
  EXPECT_EQ(FindPrinter(printers, L"VEXO_80")->port, L"IP_10.0.0.50");
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardInstall, EthernetWithoutAPortAsksForOneAndStays) {
  const std::wstring exe = KitCopy();
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kEnet, kIpAddress);
  SetAddress(wizard, 10, 0, 0, 77, L"9100");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  // Wine has no Standard TCP/IP monitor: no box of the port creation, only
  // the host's, captioned with the model.
  auto box = WaitForMessageBox(wizard.pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, L"VEXO_80");
  EXPECT_EQ(box->text, kPortNull);
  SaveScreenshot("wizard-install-en-enet-port-null");
  AnswerMessageBox(*box, IDOK);
  EXPECT_FALSE(WaitForMessageBox(wizard.pid(), 1000).has_value());
  EXPECT_TRUE(IsShown(wizard.Control(kIpAddress)));
  EXPECT_FALSE(IsShown(wizard.Control(kFinishText)));
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

// The second click of a double click on Next at a port page queues up while
// the installation runs; it must not close the wizard (129) before the
// outcome can be read.
TEST(WizardInstall, ADoubleClickOnNextInstallsOnceAndTheOutcomeStays) {
  const std::wstring exe = KitCopy();
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kLpt, kLptList);
  wizard.DoubleClick(kNext);
  ASSERT_EQ(wizard.ExitCode(3000), -1) << "the wizard closed on the second click";
  EXPECT_TRUE(WaitFinishText(wizard, L"VEXO_80Installed printer .")) << Narrow(wizard.Text(kFinishText));
  EXPECT_EQ(wizard.Text(kNext), L"Close");
  EXPECT_TRUE(IsEnabled(wizard.Control(kNext)));
  EXPECT_TRUE(IsEnabled(wizard.Control(kBack)));
  SaveScreenshot("wizard-install-en-finish-after-double-click");
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

// The same double click on Next at the serial page, its second click coming
// only once the installation has ended (faster than a double click), so that
// nothing is left in the queue to drop: it must not press "Close" either.
TEST(WizardInstall, ASecondClickAfterAFastInstallationLeavesTheOutcomeReadable) {
  const std::wstring exe = KitCopy();
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kCom, kComList);
  HWND next = wizard.Control(kNext);
  RECT area{};
  GetClientRect(next, &area);
  const POINT middle{area.right / 2, area.bottom / 2};
  const std::wstring outcome = L"VEXO_80Installed printer .";
  bool handled = false;
  const DWORD gap = MouseDoubleClickAfter(next, middle, [&] {
    handled = WaitUntil([&] { return wizard.Text(kFinishText) == outcome && IsEnabled(next); }, 2000);
    Sleep(30);  // past the handler's last steps, which drop input queued meanwhile
  });
  ASSERT_TRUE(handled) << Narrow(wizard.Text(kFinishText));
  std::printf("second press %lu ms after the first (double-click time %u ms)\n", static_cast<unsigned long>(gap),
              GetDoubleClickTime());
  ASSERT_LT(gap, GetDoubleClickTime()) << "the installation took longer than a double click";
  EXPECT_EQ(wizard.ExitCode(1500), -1) << "the second click closed the wizard";
  EXPECT_TRUE(IsShown(wizard.Control(kFinishText)));
  EXPECT_EQ(wizard.Text(kFinishText), outcome);
  EXPECT_EQ(wizard.Text(kNext), L"Close");
  SaveScreenshot("wizard-install-en-finish-after-second-click");
  // A click of its own on Close still ends the wizard.
  MouseClickAt(next, middle);
  EXPECT_EQ(wizard.ExitCode(), 129);
}

TEST(WizardInstall, UsbPageUnderWineListsNothingAndLogsItsSearch) {
  HANDLE flag = CreateFileW(kFlagFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(flag, INVALID_HANDLE_VALUE);
  CloseHandle(flag);
  DeleteFileA(kLogFile);
  const std::wstring exe = KitCopy();
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ToPortPage(wizard, kUsb, kUsbList);
  EXPECT_THAT(ComboItems(wizard.Control(kUsbList)), ::testing::IsEmpty());
  Click(wizard.Control(kSearchUsb));
  Sleep(500);
  EXPECT_THAT(ComboItems(wizard.Control(kUsbList)), ::testing::IsEmpty());
  SaveScreenshot("wizard-install-en-usb");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  auto box = WaitForMessageBox(wizard.pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, L"VEXO_80");
  EXPECT_EQ(box->text, kPortNull);
  AnswerMessageBox(*box, IDOK);
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
  std::ifstream log(kLogFile, std::ios::binary);
  std::stringstream content;
  content << log.rdbuf();
  DeleteFileW(kFlagFile);
  // Wine cannot locate the root of its device tree, so the search ends at its
  // first step, before any of its trace lines; on a system that can, the
  // spooler's ports are the first lines of the trace.
  DEVINST root = 0;
  const CONFIGRET located = CM_Locate_DevNodeW(&root, nullptr, CM_LOCATE_DEVNODE_NORMAL);
  const std::string lines = content.str();
  if (located == CR_SUCCESS) {
    EXPECT_NE(lines.find("GetSysUSBPorts: COM1:\r\r\n\r\n"), std::string::npos) << lines;
  } else {
    EXPECT_EQ(located, 19u) << "what Wine 8 answers";
    EXPECT_EQ(lines.find("GetSysUSBPorts"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("SetUSBPortName"), std::string::npos) << lines;
  }
}

}  // namespace
}  // namespace kit::e2e::wizard
