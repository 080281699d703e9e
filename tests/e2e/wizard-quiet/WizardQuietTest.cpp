// Unattended runs of the real Quispor.exe under Wine, as a deployment engine
// starts them: each is checked by its exit code (read inside Wine, all 32
// bits), by what the spooler and the files hold afterwards, and by no window
// of the process ever becoming visible.
#include <windows.h>
#include <winspool.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/wizard/MakerPrinters.h"
#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

constexpr char kLog[] = "C:\\ProgramData\\Quispor\\Quispor.log";
constexpr char kPnputilExit[] = "C:\\pnputil-standin-exit.txt";

std::wstring Kit() {
  static const std::wstring exe = ProgramCopy(L"quiet", {{L"VEXO_Printer_Render_64.dll", "render module"},
                                                         {L"VEXO_Printer_UI_64.dll", "ui module"},
                                                         {L"VEXO_80.DAT", "data file"}});
  return exe;
}

// Runs the kit's wizard with args; the exit code, or -1 when it did not end.
long Quiet(const std::wstring& args) {
  App app = App::Start(Kit(), args);
  DWORD code = 0;
  std::vector<std::wstring> shown;
  const bool ended = app.WaitForExitWithoutWindows(60000, &code, &shown);
  EXPECT_THAT(shown, ::testing::IsEmpty()) << "a quiet run showed a window";
  return ended ? static_cast<long>(code) : -1;
}

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::wstring> Names() {
  std::vector<std::wstring> names;
  for (const Printer& p : Printers()) names.push_back(p.name + L" on " + p.port);
  return names;
}

DWORD Drivers() {
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 1);
  EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(L"Windows x64"), 1, buffer.data(), needed, &needed, &returned);
  return returned;
}

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// First of all: the prefix is fresh and has never seen a USB printer, so
// the key the administrator check opens is missing. Wine rewrites other
// parts of the registry at every start; only this key is looked at.
TEST(WizardQuiet, WhatIfOnAFreshPrefixCreatesNoKey) {
  const auto keyExists = [] {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(
        HKEY_LOCAL_MACHINE,
        L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}", 0,
        KEY_READ, &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return status != ERROR_FILE_NOT_FOUND;
  };
  ASSERT_FALSE(keyExists()) << "the prefix is not fresh";
  EXPECT_EQ(Quiet(L"/quiet /uninstall /whatif"), 0);
  EXPECT_FALSE(keyExists());
}

// Before anything is installed: a driver package of the maker's whose driver
// is gone (as a removal that stopped after the driver leaves it) is deleted
// by pnputil, whose exit code decides: the stand-in answers what the test
// asks for.
TEST(WizardQuiet, AnOrphanDriverPackageGoesAndPnputilsExitCodeIsTheRunsCode) {
  ASSERT_FALSE(Kit().empty());
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring pnputil = std::wstring(system) + L"\\pnputil.exe";
  ASSERT_TRUE(CopyFileW(WindowsPathOf(KIT_PNPUTIL_STANDIN).c_str(), pnputil.c_str(), FALSE)) << GetLastError();
  std::ofstream("C:\\windows\\inf\\oem7.inf", std::ios::binary) << "[VEXO.Files]\r\nVEXO_80.DAT\r\n";
  const auto answer = [](const char* code) { std::ofstream(kPnputilExit, std::ios::binary) << code; };

  answer("5");
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 5);
  EXPECT_NE(GetFileAttributesA("C:\\windows\\inf\\oem7.inf"), INVALID_FILE_ATTRIBUTES);
  EXPECT_THAT(ReadFile(kLog), HasSubstr("pnputil deleting oem7.inf exited with 5 ("));
  EXPECT_THAT(ReadFile(kLog), HasSubstr("driver package deleted \"oem7.inf\": failed with 5\r\n"));

  answer("3010");
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 3010);
  EXPECT_EQ(GetFileAttributesA("C:\\windows\\inf\\oem7.inf"), INVALID_FILE_ATTRIBUTES);
  EXPECT_THAT(ReadFile(kLog), HasSubstr("driver package deleted \"oem7.inf\": done (3010)\r\n"));

  DeleteFileA(kPnputilExit);
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 0);
  EXPECT_THAT(ReadFile(kLog), ::testing::EndsWith(" exit code 0\r\n"));
}

TEST(WizardQuiet, InstallsOnComThenAgainChangesNothing) {
  ASSERT_FALSE(Kit().empty());
  EXPECT_EQ(Quiet(L"/quiet /model=VEXO_80 /port=COM1:"), 0);
  EXPECT_THAT(Names(), ElementsAre(L"VEXO_80 on COM1:"));
  EXPECT_EQ(Drivers(), 1u);
  EXPECT_EQ(DefaultPrinter(), L"VEXO_80");
  const std::string log = ReadFile(kLog);
  EXPECT_THAT(log, HasSubstr("/quiet /model=VEXO_80 /port=COM1:\r\n"));
  EXPECT_THAT(log, HasSubstr("driver added \"VEXO_80\": done (0)\r\n"));
  EXPECT_THAT(log, HasSubstr("default printer set \"VEXO_80\": done (0)\r\n"));
  EXPECT_THAT(log, ::testing::EndsWith(" exit code 0\r\n"));

  EXPECT_EQ(Quiet(L"-quiet -model:vexo_80 -port:com1:"), 0);
  EXPECT_THAT(Names(), ElementsAre(L"VEXO_80 on COM1:"));
  EXPECT_THAT(ReadFile(kLog), HasSubstr("already installed: printer \"VEXO_80\""));
}

TEST(WizardQuiet, NoDefaultOnLptWritesTheResult) {
  ASSERT_TRUE(AddPrinterOfVexo80(L"Office", L"LPT2:"));
  ASSERT_TRUE(SetDefaultPrinterW(L"Office"));
  // Wine's AddPrinterW takes a taken name again: the maker's printer moves to
  // LPT1: instead of getting a "(1)" name (that numbering is proven on the fakes).
  EXPECT_EQ(Quiet(L"/quiet /model=VEXO_80 /port=LPT1: /nodefault /result=C:\\quiet-result.json"), 0);
  EXPECT_EQ(DefaultPrinter(), L"Office");
  const std::string result = ReadFile("C:\\quiet-result.json");
  EXPECT_THAT(result, HasSubstr("\"printer\": \"VEXO_80\""));
  EXPECT_THAT(result, HasSubstr("\"port\": \"LPT1:\""));
  EXPECT_THAT(result, HasSubstr("\"exitCode\": 0"));
}

TEST(WizardQuiet, RunsThatCannotGoOnChangeNothing) {
  const std::vector<std::wstring> before = Names();
  EXPECT_EQ(Quiet(L"/quiet /model=VEXO_99 /port=COM2:"), 1639);
  // Wine cannot find a device tree to search (CM_Locate_DevNodeW answers 19).
  EXPECT_EQ(Quiet(L"/quiet /model=VEXO_80 /port=usb"), 1168);
  EXPECT_THAT(ReadFile(kLog), HasSubstr("found no USB printer port (its code: 19)"));
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(Drivers(), 1u);
}

TEST(WizardQuiet, UsesATcpIpPortPreparedInTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                            L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\"
                            L"IP_10.0.0.60",
                            0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t empty[] = L"", address[] = L"10.0.0.60";
  const DWORD number = 9100;
  RegSetValueExW(key, L"HostName", 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof(empty));
  RegSetValueExW(key, L"IPAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(address), sizeof(address));
  RegSetValueExW(key, L"PortNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  RegCloseKey(key);
  EXPECT_EQ(Quiet(L"/quiet /model=VEXO_80 /port=ip:10.0.0.60 /nodefault"), 0);
  bool found = false;
  for (const Printer& p : Printers()) found = found || (p.driver == L"VEXO_80" && p.port == L"IP_10.0.0.60");
  EXPECT_TRUE(found) << "no VEXO_80 printer on IP_10.0.0.60";
}

TEST(WizardQuiet, WaitsWhileTheWizardIsOpen) {
  WizardSession wizard(L"", {}, Kit());
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 1618);
  EXPECT_FALSE(Printers().empty());
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardQuiet, WhatIfListsThenTheRemovalDeletesThePrinters) {
  const std::vector<std::wstring> before = Names();
  EXPECT_EQ(Quiet(L"/quiet /uninstall /whatif /result=C:\\quiet-whatif.json"), 0);
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(Drivers(), 1u);
  const std::string plan = ReadFile("C:\\quiet-whatif.json");
  EXPECT_THAT(plan, HasSubstr("\"drivers\": [\n      \"VEXO_80\"\n    ]"));
  EXPECT_THAT(plan, HasSubstr("\"VEXO_80\""));

  // Wine refuses the driver deletion (87, even after the spooler restart):
  // the printers go, the run ends with that code.
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 87);
  for (const Printer& p : Printers()) EXPECT_NE(p.driver, L"VEXO_80") << Narrow(p.name);
  EXPECT_THAT(ReadFile(kLog), HasSubstr("printer deleted \"VEXO_80\": done (0)\r\n"));
  EXPECT_THAT(ReadFile(kLog), HasSubstr("driver deleted \"VEXO_80\": failed with 87\r\n"));

  // Run again: no printer is left, but the driver is, and the run says so.
  const std::size_t logged = ReadFile(kLog).size();
  EXPECT_EQ(Quiet(L"/quiet /uninstall"), 87);
  EXPECT_EQ(Drivers(), 1u);
  const std::string again = ReadFile(kLog).substr(logged);
  EXPECT_THAT(again, HasSubstr("driver deleted \"VEXO_80\": failed with 87\r\n"));
  EXPECT_THAT(again, ::testing::Not(HasSubstr("complete")));
  EXPECT_EQ(Quiet(L"/quiet /uninstall /whatif /result=C:\\quiet-whatif.json"), 0);
  EXPECT_THAT(ReadFile("C:\\quiet-whatif.json"), HasSubstr("\"drivers\": [\n      \"VEXO_80\"\n    ]"));
}

// What Wine can show of a log folder or a log that a user prepared: the
// folder open to everyone (after chmod o+w Wine reports Everyone with write
// rights), the folder a Unix directory symlink (a reparse point through
// GetFileAttributesW) and a log with a second hard link (Wine reports the
// Unix link count). A file symlink Wine does not report at all.
TEST(WizardQuiet, RefusesALogFolderOrLogThatAUserCouldHavePrepared) {
  ASSERT_EQ(Quiet(L"/quiet /uninstall /whatif"), 0) << "the rig's own log folder did not pass";
  const std::string driveC = EnvVar("WINEPREFIX") + "/drive_c";
  const std::string folder = driveC + "/ProgramData/Quispor";
  ASSERT_TRUE(CreateDirectoryW(L"C:\\quiet-elsewhere", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  const std::vector<std::wstring> before = Names();
  const auto refused = [&](const std::wstring& args, const char* why) {
    SCOPED_TRACE(why);
    DeleteFileW(L"C:\\quiet-refused.json");
    EXPECT_EQ(Quiet(args + L" /result=C:\\quiet-refused.json"), 1307);
    EXPECT_THAT(ReadFile("C:\\quiet-refused.json"), HasSubstr(why));
    EXPECT_EQ(Names(), before);
  };
  const std::wstring install = L"/quiet /model=VEXO_80 /port=COM3:";

  const std::string log = ReadFile(kLog);
  ASSERT_EQ(RunUnixShell("chmod o+w '" + folder + "'"), 0);
  refused(install, "can be changed by S-1-1-0");
  EXPECT_EQ(ReadFile(kLog), log);

  ASSERT_EQ(RunUnixShell("chmod o-w '" + folder + "' && mv '" + folder + "' '" + folder + ".kept' && ln -s '" + driveC +
                         "/quiet-elsewhere' '" + folder + "'"),
            0);
  refused(install, "is a reparse point (a link)");
  EXPECT_EQ(GetFileAttributesW(L"C:\\quiet-elsewhere\\Quispor.log"), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(RunUnixShell("rm '" + folder + "' && mv '" + folder + ".kept' '" + folder + "'"), 0);

  std::ofstream("C:\\quiet-victim.txt", std::ios::binary) << "victim";
  ASSERT_EQ(RunUnixShell("ln -f '" + driveC + "/quiet-victim.txt' '" + driveC + "/quiet-linked.log'"), 0);
  refused(L"/quiet /uninstall /log=C:\\quiet-linked.log", "has more than one hard link");
  EXPECT_EQ(ReadFile("C:\\quiet-victim.txt"), "victim");
}

}  // namespace
}  // namespace kit::e2e::wizard
