// Uninstall on the real wizard: two printers of the driver VEXO_80 in Wine's
// spooler are deleted; Wine refuses DeletePrinterDriverExW with
// DPD_DELETE_UNUSED_FILES (87), so the spooler is restarted, the retry fails
// the same way and the finish page reports that code.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/wizard/MakerPrinters.h"
#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

constexpr int kUninstall = 1023, kFinishText = 1030;
constexpr char kFlagPath[] = "C:\\Nimbel_Driver_Debug_Flag.txt";
constexpr char kLogPath[] = "C:\\My_Debug_Driver_Log.txt";

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "<no file>";
}

std::vector<std::wstring> PrintersOf(const std::wstring& driver) {
  DWORD needed = 0, returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, const_cast<wchar_t*>(L""), 2, nullptr, 0, &needed,
                &returned);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<std::wstring> names;
  if (needed == 0 || !EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, const_cast<wchar_t*>(L""), 2,
                                    buffer.data(), needed, &needed, &returned))
    return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    if (info[i].pDriverName != nullptr && driver == info[i].pDriverName) names.push_back(info[i].pPrinterName);
  return names;
}

bool DriverInstalled(const std::wstring& name) {
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  if (needed == 0 || !EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &returned))
    return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    if (name == info[i].pName) return true;
  return false;
}

DWORD SpoolerState() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (manager == nullptr) return 0;
  SC_HANDLE service = OpenServiceA(manager, "spooler", SERVICE_QUERY_STATUS);
  SERVICE_STATUS status{};
  const bool ok = service != nullptr && QueryServiceStatus(service, &status);
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return ok ? status.dwCurrentState : 0;
}

// Positions of the parts in text, one after the other; npos for a missing one.
::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& parts) {
  std::size_t at = 0;
  for (const std::string& part : parts) {
    const std::size_t found = text.find(part, at);
    if (found == std::string::npos)
      return ::testing::AssertionFailure() << "missing (in order): " << part << "\nlog:\n" << text;
    at = found + part.size();
  }
  return ::testing::AssertionSuccess();
}

TEST(WizardRemoval, UninstallDeletesBothPrintersAndReportsWinesDriverRefusal) {
  std::ofstream(kFlagPath).close();
  DeleteFileA(kLogPath);
  ASSERT_TRUE(AddDriverVexo80());
  ASSERT_TRUE(AddPrinterOfVexo80(L"VEXO_80"));
  ASSERT_TRUE(AddPrinterOfVexo80(L"VEXO_80(1)"));
  ASSERT_EQ(PrintersOf(L"VEXO_80").size(), 2u);
  const DWORD stateBefore = SpoolerState();
  std::printf("spooler state before the run: %lu\n", static_cast<unsigned long>(stateBefore));

  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kUninstall), true));
  SaveScreenshot("wizard-en-removal-choice");

  ASSERT_TRUE(wizard.Next(kFinishText));
  const std::wstring failure = L"Fail to uninstall driver. -- ERROR CODE = 87(1-0)";
  EXPECT_TRUE(WaitUntil([&] { return wizard.Text(kFinishText) == failure; }, 30000))
      << Narrow(wizard.Text(kFinishText));
  // The removal ran inside the click handler; let the page repaint first.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(wizard.host(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  Sleep(500);
  SaveScreenshot("wizard-en-removal-finish");
  EXPECT_EQ(wizard.Text(kBack), L"Install Another Printer");
  EXPECT_FALSE(IsEnabled(wizard.Control(kBack)));
  EXPECT_EQ(wizard.Text(kNext), L"Close");

  EXPECT_TRUE(PrintersOf(L"VEXO_80").empty());
  EXPECT_TRUE(DriverInstalled(L"VEXO_80")) << "Wine refuses DPD_DELETE_UNUSED_FILES";
  EXPECT_EQ(SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));

  const std::string log = ReadAll(kLogPath);
  std::printf("log:\n%s\n", log.c_str());
  EXPECT_TRUE(InOrder(log, {"GetMyForms:: formNum zero\r\r\n\r\n",
                            "UninstallOneDriver:: DeletePrinterDriverEx Fail\r\r\n\r\n",
                            "RestartSpooler Enter\r\r\n\r\n", "RestartSpooler QueryServiceStatus break\r\n"}));
  EXPECT_EQ(log.find("DeleteMyInfFile"), std::string::npos) << "no package step after a failed driver deletion";

  Click(wizard.Control(kNext));
  EXPECT_EQ(wizard.ExitCode(), 129);
  DeleteFileA(kFlagPath);
}

// The spooler service's start type; false when it cannot be set.
bool SetSpoolerStart(DWORD startType) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return false;
  SC_HANDLE service = OpenServiceA(manager, "spooler", SERVICE_CHANGE_CONFIG);
  const bool ok = service != nullptr && ChangeServiceConfigA(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                             nullptr);
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return ok;
}

// The removal writes a line into the finish page before it works on a driver;
// the line must be on the screen before the slow steps that follow. Here the
// spooler restart is the slow step: with the service disabled it cannot be
// started, and the restart waits out its 32 pauses of 100 ms.
TEST(WizardRemoval, TheProgressLineIsOnTheScreenBeforeTheSlowSteps) {
  ASSERT_TRUE(AddDriverVexo80());
  ASSERT_TRUE(AddPrinterOfVexo80(L"VEXO_80"));
  ASSERT_TRUE(SetSpoolerStart(SERVICE_DISABLED));
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(ShownAndChecked(wizard.Control(kUninstall), true));
  HWND text = wizard.Control(kFinishText);
  ASSERT_NE(text, nullptr);

  Click(wizard.Control(kNext));
  ASSERT_TRUE(WaitUntil([&] { return IsShown(text); }));
  // While the restart waits: white text area with the progress line in it.
  ScreenColours during;
  const bool painted = WaitUntil(
      [&] {
        during = ScreenColoursOf(text);
        return during.white > during.pixels / 2 && during.dark > 0;
      },
      2500);
  SaveScreenshot("wizard-en-removal-progress");

  const std::wstring failure = L"Fail to uninstall driver. -- ERROR CODE = 87(1-0)";
  EXPECT_TRUE(WaitUntil([&] { return wizard.Text(kFinishText) == failure; }, 30000))
      << Narrow(wizard.Text(kFinishText));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(wizard.host(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  Sleep(300);
  const ScreenColours after = ScreenColoursOf(text);
  EXPECT_TRUE(SetSpoolerStart(SERVICE_DEMAND_START));

  EXPECT_TRUE(painted) << "white " << during.white << " dark " << during.dark << " of " << during.pixels;
  EXPECT_LT(during.dark, after.dark) << "the shorter progress line, not the outcome, was on the screen";
  Click(wizard.Control(kNext));
  EXPECT_EQ(wizard.ExitCode(), 129);
}

}  // namespace
}  // namespace kit::e2e::wizard
