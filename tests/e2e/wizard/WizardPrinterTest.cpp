// The wizard's choice page once a printer of the maker's models is in Wine's
// spooler. A binary of its own, as the printer stays in its prefix.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

constexpr int kInstall = 1022, kUninstall = 1023, kUninstallInfo = 1025, kModelList = 1039;

// Registers driver VEXO_80 for "Windows x64" with dummy files in the
// spooler's x64 driver directory, then a printer of it on LPT1:.
::testing::AssertionResult AddVexo80Printer() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1,
                                  reinterpret_cast<BYTE*>(directory), sizeof(directory), &needed))
    return ::testing::AssertionFailure() << "GetPrinterDriverDirectoryW: " << GetLastError();
  const std::wstring folder(directory);
  const std::wstring files[] = {folder + L"\\VEXO_Printer_Render_64.dll", folder + L"\\VEXO_Printer_UI_64.dll",
                                folder + L"\\VEXO_80.DAT"};
  for (const std::wstring& path : files) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      return ::testing::AssertionFailure() << "cannot create " << Narrow(path) << ": " << GetLastError();
    DWORD written = 0;
    WriteFile(file, "dummy", 5, &written, nullptr);
    CloseHandle(file);
  }
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(L"VEXO_80");
  driver.pEnvironment = const_cast<wchar_t*>(L"Windows x64");
  driver.pDriverPath = const_cast<wchar_t*>(files[0].c_str());
  driver.pConfigFile = const_cast<wchar_t*>(files[1].c_str());
  driver.pDataFile = const_cast<wchar_t*>(files[2].c_str());
  if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)))
    return ::testing::AssertionFailure() << "AddPrinterDriverW: " << GetLastError();

  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<wchar_t*>(L"VEXO_80");
  printer.pPortName = const_cast<wchar_t*>(L"LPT1:");
  printer.pDriverName = const_cast<wchar_t*>(L"VEXO_80");
  printer.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle == nullptr) return ::testing::AssertionFailure() << "AddPrinterW: " << GetLastError();
  ClosePrinter(handle);
  return ::testing::AssertionSuccess();
}

TEST(WizardWithMakerPrinter, UninstallIsPreselectedAndStaysSoAfterBack) {
  {
    WizardSession before;
    ASSERT_NE(before.host(), nullptr);
    EXPECT_FALSE(IsShown(before.Control(kUninstall))) << "the spooler starts empty";
    PostMessageW(before.host(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(before.ExitCode(), 2);
  }
  ASSERT_TRUE(AddVexo80Printer());

  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kUninstall), true));
  EXPECT_TRUE(IsShown(wizard.Control(kUninstallInfo)));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kInstall), false));
  SaveScreenshot("wizard-en-choice-printer-found");

  // The user prefers to install; back from the ports page scans again and
  // puts uninstall back.
  Click(wizard.Control(kInstall));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kInstall)); }));
  EXPECT_FALSE(IsChecked(wizard.Control(kUninstall)));
  ASSERT_TRUE(wizard.Next(kModelList));
  ASSERT_TRUE(wizard.Back(kInstall));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kUninstall), true));
  EXPECT_FALSE(IsChecked(wizard.Control(kInstall)));
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

}  // namespace
}  // namespace kit::e2e::wizard
