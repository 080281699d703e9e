#include "tests/e2e/wizard/MakerPrinters.h"

#include <windows.h>
#include <winspool.h>

#include <string>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {

::testing::AssertionResult AddDriverVexo80() {
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
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult AddPrinterOfVexo80(const wchar_t* name, const wchar_t* port) {
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = const_cast<wchar_t*>(name);
  printer.pPortName = const_cast<wchar_t*>(port);
  printer.pDriverName = const_cast<wchar_t*>(L"VEXO_80");
  printer.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (handle == nullptr) return ::testing::AssertionFailure() << "AddPrinterW: " << GetLastError();
  ClosePrinter(handle);
  return ::testing::AssertionSuccess();
}

std::vector<Printer> Printers() {
  DWORD needed = 0, returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<Printer> out;
  if (needed == 0 || !EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned))
    return out;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) out.push_back({info[i].pPrinterName, info[i].pPortName, info[i].pDriverName});
  return out;
}

std::wstring DefaultPrinter() {
  wchar_t name[256] = {};
  DWORD size = 256;
  return GetDefaultPrinterW(name, &size) ? name : L"";
}

}  // namespace kit::e2e::wizard
