// System facts, the access probe and the printer scans against Wine's real
// kernel, registry and spooler.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/SystemFacts.h"
#include "wizard/engine/win32/Win32Platform.h"

namespace quispor {
namespace {

platform::Platform& Sys() { return win32::SystemPlatform(); }

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

TEST(SystemFactsWineTest, HklmHandleMatchesWindows) {
  EXPECT_EQ(reinterpret_cast<HKEY>(platform::kHkeyLocalMachine), HKEY_LOCAL_MACHINE);
}

TEST(SystemFactsWineTest, SixtyFourBitWineIsNative64Bit) {
  SYSTEM_INFO info{};
  GetNativeSystemInfo(&info);
  ASSERT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
  EXPECT_TRUE(IsNative64Bit(Sys().systemInfo));
}

TEST(SystemFactsWineTest, DriverDirectoryForX64) {
  auto directory = GetDriverDirectory(Sys().spooler, true);
  ASSERT_NE(directory, nullptr);
  const std::u16string text(directory.get());
  EXPECT_NE(FindIgnoringCase(text, u"\\spool\\drivers\\x64"), std::u16string::npos) << W(directory.get());
  EXPECT_EQ(FindIgnoringCase(text, u"\\spool\\drivers\\x64"), text.size() - 18);
}

TEST(SystemFactsWineTest, ProgramFolderEndsInABackslash) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ASSERT_GT(n, 0u);
  std::wstring expected(path, n);
  expected.resize(expected.rfind(L'\\') + 1);
  char16_t folder[kProgramFolderCapacity];
  GetProgramFolder(Sys().systemInfo, folder);
  EXPECT_EQ(std::wstring(W(folder)), expected);
}

TEST(SystemFactsWineTest, ManageAccessIsGrantedAndTheKeyExists) {
  EXPECT_EQ(CheckIsManageAccess(Sys().registry), 0u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, W(kManageAccessKeyPath), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

class SpoolerWineTest : public ::testing::Test {
 protected:
  // The spooler pairs a printer with the driver of its client's environment
  // (a 32-bit client gets 1797 for an x64-only driver), and the scans ask for
  // the running program's environment.
  static wchar_t* OwnEnvironment() {
    return const_cast<wchar_t*>(sizeof(void*) == 8 ? L"Windows x64" : L"Windows NT x86");
  }

  static std::wstring DriverDirectory() {
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, OwnEnvironment(), 1,
                                    reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
      return {};
    }
    return dir;
  }

  // Registers a VEXO_80 driver from dummy files the way the installation does.
  static bool AddVexo80Driver() {
    const std::wstring dir = DriverDirectory();
    if (dir.empty()) {
      return false;
    }
    for (const wchar_t* file : {L"VEXO_Printer_Render_64.dll", L"VEXO_Printer_UI_64.dll", L"VEXO_80.DAT"}) {
      const std::wstring path = dir + L"\\" + file;
      HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create a dummy driver file, error " << GetLastError();
        return false;
      }
      DWORD written = 0;
      WriteFile(h, "dummy", 5, &written, nullptr);
      CloseHandle(h);
    }
    wchar_t dependent[] = L"VEXO_Printer_Render_64.dll\0VEXO_Printer_UI_64.dll\0VEXO_80.DAT\0";
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(L"VEXO_80");
    driver.pEnvironment = OwnEnvironment();
    driver.pDriverPath = const_cast<wchar_t*>(L"VEXO_Printer_Render_64.dll");
    driver.pDataFile = const_cast<wchar_t*>(L"VEXO_80.DAT");
    driver.pConfigFile = const_cast<wchar_t*>(L"VEXO_Printer_UI_64.dll");
    driver.pDependentFiles = dependent;
    driver.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
      ADD_FAILURE() << "AddPrinterDriverW failed with " << GetLastError();
      return false;
    }
    return true;
  }

  static bool AddVexo80Printer(std::wstring printerName) {
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = printerName.data();
    printer.pPortName = const_cast<wchar_t*>(L"LPT1:");
    printer.pDriverName = const_cast<wchar_t*>(L"VEXO_80");
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (handle == nullptr) {
      ADD_FAILURE() << "AddPrinterW failed with " << GetLastError();
      return false;
    }
    ClosePrinter(handle);
    return true;
  }

  static void DeletePrinterNamed(const wchar_t* name) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<wchar_t*>(name), &handle, &defaults)) {
      DeletePrinter(handle);
      ClosePrinter(handle);
    }
  }
};

TEST_F(SpoolerWineTest, ScansFindNothingThenTheAddedVexo80Printers) {
  InstalledPrinterList list;
  ScanInstalledPrinters(Sys().spooler, ModelCatalogue, modelCount, list);
  EXPECT_EQ(list.count, 0);
  EXPECT_FALSE(IsDriverInstalled(Sys().spooler, u"VEXO_80"));

  ASSERT_TRUE(AddVexo80Driver());
  ASSERT_TRUE(AddVexo80Printer(L"VEXO_80"));
  ASSERT_TRUE(AddVexo80Printer(L"VEXO_80(1)"));
  EXPECT_TRUE(IsDriverInstalled(Sys().spooler, u"VEXO_80"));
  EXPECT_TRUE(IsDriverInstalled(Sys().spooler, u"vexo_80"));
  EXPECT_FALSE(IsDriverInstalled(Sys().spooler, u"VEXO_58"));

  ScanInstalledPrinters(Sys().spooler, ModelCatalogue, modelCount, list);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(std::u16string(list.records[0].driverName), u"VEXO_80");
  ASSERT_EQ(list.records[0].printerCount, 2u);
  EXPECT_EQ(std::u16string(list.records[0].printerNames[0].data()), u"VEXO_80");
  EXPECT_EQ(std::u16string(list.records[0].printerNames[1].data()), u"VEXO_80(1)");

  DeletePrinterNamed(L"VEXO_80");
  DeletePrinterNamed(L"VEXO_80(1)");
  ScanInstalledPrinters(Sys().spooler, ModelCatalogue, modelCount, list);
  EXPECT_EQ(list.count, 0);
}

}  // namespace
}  // namespace quispor
