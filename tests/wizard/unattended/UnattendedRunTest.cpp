// Whole unattended runs against the fakes: what they change, what they log,
// the result file and the exit code a deployment engine acts on.
#include "wizard/unattended/UnattendedRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeDeviceSetup.h"
#include "tests/fakes/wizard/FakeDisk.h"
#include "tests/fakes/wizard/FakeFileSearch.h"
#include "tests/fakes/wizard/FakeProcesses.h"
#include "tests/fakes/wizard/FakeServiceManager.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/shared/PoText.h"
#include "wizard/unattended/ExitCodes.h"
#include "wizard/unattended/RunLock.h"
#include "wizard/unattended/RunLog.h"

namespace quispor::unattended {
namespace {

using kit::fakes::FakeFolders;

constexpr char16_t kLog[] = u"C:\\ProgramData\\Quispor\\Quispor.log";
const std::u16string kTcpPorts = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";

class UnattendedRunTest : public ::testing::Test {
 protected:
  UnattendedRunTest() {
    SetLanguageIdSource([] { return uint16_t{0x0409}; });
    ResetPoLanguageForTest();
    spooler.disk = &disk;
    spooler.monitorRegistry = &registry.store;
    serviceManager.Spooler().stateChanged = [this](uint32_t state) { spooler.ServiceStateChanged(state); };
    FreshDisk();
  }
  ~UnattendedRunTest() override {
    SetLanguageIdSource({});
    ResetPoLanguageForTest();
  }

  void FreshDisk() {
    disk = kit::fakes::FakeDisk();
    disk.folders.Put(u"C:\\Windows\\system32\\spool\\DRIVERS\\x64");
    for (const char16_t* name : {u"VEXO_Printer_Render_64.dll", u"VEXO_Printer_UI_64.dll", u"VEXO_80.DAT"}) {
      disk.Put(std::u16string(u"C:\\Kit\\") + name);
    }
  }
  uint32_t Run(std::vector<std::u16string> args) {
    std::u16string line = u"\"C:\\Kit\\setup.exe\"";
    for (const std::u16string& arg : args) line += u" " + arg;
    args.insert(args.begin(), u"C:\\Kit\\setup.exe");
    UnattendedServices services{platform, disk, system};
    return RunUnattended(services, ParseCommandLine(args), line);
  }
  std::string Log() const { return disk.files.count(kLog) ? disk.files.at(kLog) : ""; }
  bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }
  std::size_t Calls(const std::string& prefix) const {
    std::size_t n = 0;
    for (const std::string& c : spooler.calls) n += c.rfind(prefix, 0) == 0;
    return n;
  }
  void AddPrinter(const std::u16string& name, const std::u16string& driver, const std::u16string& port) {
    kit::fakes::FakePrinter printer;
    printer.name = name;
    printer.driver = driver;
    printer.port = port;
    spooler.printers.push_back(printer);
  }

  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSystemInfo system;
  kit::fakes::FakeCrtFiles files;
  kit::fakes::FakeCodePage codePage;
  kit::fakes::FakeDisk disk;
  kit::fakes::FakeDeviceSetup devices;
  kit::fakes::FakeUserMessages messages;
  kit::fakes::FakeServiceManager serviceManager;
  kit::fakes::FakeFileSearch search;
  kit::fakes::FakeProcesses processes;
  platform::Platform platform{spooler, registry, system,         files,  codePage, disk,
                              devices, messages, serviceManager, search, processes};
};

TEST_F(UnattendedRunTest, AnInstallLogsEachStepAndARunAgainChangesNothing) {
  EXPECT_EQ(Run({u"/quiet", u"/model=vexo_80", u"/port=com1:"}), 0u);
  ASSERT_EQ(spooler.printers.size(), 1u);
  EXPECT_EQ(spooler.printers[0].name, u"VEXO_80");
  EXPECT_EQ(spooler.printers[0].port, u"COM1:");  // as the spooler spells it
  EXPECT_EQ(spooler.defaultPrinter, u"VEXO_80");
  EXPECT_EQ(spooler.drivers.size(), 1u);
  EXPECT_EQ(Log().rfind("2026-12-09 17:41:02 Quispor \"C:\\Kit\\setup.exe\" /quiet /model=vexo_80 /port=com1:\r\n", 0),
            0u)
      << Log();
  for (const char* line :
       {"driver file copied \"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\VEXO_80.DAT\": done (0)\r\n",
        "driver added \"VEXO_80\": done (0)\r\n", "printer added \"VEXO_80\": done (0)\r\n",
        "default printer set \"VEXO_80\": done (0)\r\n", "VEXO_80Installed printer .\r\n"}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
  EXPECT_TRUE(Log().ends_with("\r\n2026-12-09 17:41:02 exit code 0\r\n")) << Log();
  EXPECT_TRUE(system.mutexes.empty()) << "the lock outlived the run";
  // Its folder: SYSTEM and Administrators full control, Users read, nothing inherited.
  EXPECT_THAT(disk.folders.calls, ::testing::Contains("CreateDirectoryW C:\\ProgramData\\Quispor "
                                                      "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"));

  // The same again: no "(1)" queue, nothing asked of the spooler to change.
  spooler.calls.clear();
  EXPECT_EQ(Run({u"-quiet", u"-model:VEXO_80", u"-port:COM1:"}), 0u);
  EXPECT_EQ(spooler.printers.size(), 1u);
  EXPECT_EQ(Calls("AddPrinter"), 0u);
  EXPECT_TRUE(Logged("already installed: printer \"VEXO_80\" of driver VEXO_80 on COM1:; nothing changed\r\n"));

  // Another port gets another printer, named as the wizard names it.
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=LPT2:"}), 0u);
  ASSERT_EQ(spooler.printers.size(), 2u);
  EXPECT_EQ(spooler.printers[1].name, u"VEXO_80(1)");
  EXPECT_TRUE(Logged("driver already installed, kept \"VEXO_80\": done (0)\r\n"));
  EXPECT_TRUE(Logged("printer name \"VEXO_80\" is taken (1802); the printer gets the next free name\r\n"));
  EXPECT_FALSE(Logged("failed with 1802"));
}

TEST_F(UnattendedRunTest, NoDefaultAndTheResultFile) {
  disk.Put(u"C:\\out\\r.json", std::string(4000, 'x'));  // an older file, longer: replaced whole
  spooler.defaultPrinter = u"Office";
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=LPT1:", u"/nodefault", u"/result=C:\\out\\r.json"}), 0u);
  EXPECT_EQ(spooler.defaultPrinter, u"Office");
  const nlohmann::json result = nlohmann::json::parse(disk.files[u"C:\\out\\r.json"]);
  EXPECT_EQ(result["action"], "install");
  EXPECT_EQ(result["model"], "VEXO_80");
  EXPECT_EQ(result["printer"], "VEXO_80");
  EXPECT_EQ(result["port"], "LPT1:");
  EXPECT_EQ(result["driver"], "VEXO_80");
  EXPECT_EQ(result["changed"], true);
  EXPECT_EQ(result["exitCode"], 0);
  EXPECT_EQ(result["message"], "VEXO_80Installed printer .");
  EXPECT_FALSE(result.contains("wouldRemove"));
}

TEST_F(UnattendedRunTest, ARunThatCannotGoOnChangesNothing) {
  struct Case {
    std::vector<std::u16string> args;
    uint32_t exitCode;
    std::string logged;
    std::function<void()> prepare;
  };
  const std::vector<Case> cases = {
      {{u"/quiet", u"/model=VEXO_81", u"/port=COM1:"}, kExitInvalidCommandLine, "invalid command line: unknown model", {}},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM9:"}, 1796, "the spooler lists no port COM9:", {}},
      {{u"/quiet", u"/model=VEXO_80", u"/port=usb"}, kExitNoUsbPort, "found no USB printer port (its code: 0)", {}},
      {{u"/quiet", u"/model=VEXO_80", u"/port=usb"}, kExitNoUsbPort, "(its code: 13)",
       [this] { devices.locateResult = 13; }},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:"}, kExitAccessDenied, "no administrator access",
       [this] { registry.createResult = 5; }},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:", u"/result=C:\\missing\\r.json"}, 3,
       "the result file cannot be written: 3", {}},
      // From here on another run holds the lock.
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:"}, kExitBusy, "another run of Quispor is open",
       [this] { system.mutexes[kRunLockName] = 1; }},
      {{u"/quiet", u"/uninstall"}, kExitBusy, "another run of Quispor is open",
       [this] { system.foreignMutexes.push_back(kRunLockName); }},
  };
  for (const Case& c : cases) {
    disk.files.erase(kLog);
    spooler.printers.clear();
    if (c.prepare) c.prepare();
    AddPrinter(u"Office", u"Other", u"LPT3:");
    SCOPED_TRACE(std::string(c.args.back().begin(), c.args.back().end()));
    EXPECT_EQ(Run(c.args), c.exitCode);
    EXPECT_TRUE(Logged(c.logged)) << Log();
    EXPECT_TRUE(Logged("exit code " + std::to_string(c.exitCode) + "\r\n"));
    EXPECT_EQ(spooler.printers.size(), 1u);
    EXPECT_TRUE(spooler.drivers.empty());
    EXPECT_TRUE(messages.boxes.empty());
    devices.locateResult = 0;
    registry.createResult = 0;
    system.foreignMutexes.clear();
  }
  EXPECT_EQ(system.mutexes.size(), 1u) << "only the other run's lock is left";
}

// Two deployments with the same /result: the one that has to wait must not
// touch the file the running one reports through.
TEST_F(UnattendedRunTest, ARunThatMustWaitLeavesTheOtherRunsResultFileAlone) {
  disk.folders.Put(u"C:\\out");
  disk.files[u"C:\\out\\r.json"] = "the other run's result";
  system.mutexes[kRunLockName] = 1;
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/result=C:\\out\\r.json"}), kExitBusy);
  EXPECT_EQ(disk.files[u"C:\\out\\r.json"], "the other run's result");
  EXPECT_TRUE(Logged("another run of Quispor is open; nothing changed\r\n")) << Log();
}

// What a standard user can plant before a deployment runs as SYSTEM: the log
// folder (made first, or a link), or a second name or a link where the log
// or the result file goes. Each ends the run before anything changes, and
// nothing is written through it.
TEST_F(UnattendedRunTest, AFolderOrFileAUserCouldPlantEndsTheRunWith1307) {
  constexpr char16_t kFolder[] = u"C:\\ProgramData\\Quispor";
  constexpr char16_t kHive[] = u"C:\\Windows\\system32\\config\\SAM";
  constexpr char16_t kResult[] = u"C:\\out\\r.json";
  const std::vector<std::u16string> install = {u"/quiet", u"/model=VEXO_80", u"/port=COM1:", u"/result=C:\\out\\r.json"};
  std::vector<std::u16string> toNamedLog = install;
  toNamedLog.push_back(u"/log=C:\\logs\\q.log");
  struct Case {
    const char* what;
    std::function<void()> plant;
    const std::vector<std::u16string>& args;
    const char16_t* toldIn;  // the file that says why
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"folder made by a user",
       [&] { disk.folders.Put(kFolder, u"O:S-1-5-21-1-2-3-1001D:AI(A;ID;FA;;;S-1-5-21-1-2-3-1001)(A;OICIID;FA;;;SY)"); },
       install, kResult, "C:\\ProgramData\\Quispor is owned by S-1-5-21-1-2-3-1001, who is not an administrator"},
      {"folder that is a junction", [&] { disk.folders.Put(kFolder, FakeFolders::kAdministratorsFolder, 0x410); },
       install, kResult, "C:\\ProgramData\\Quispor is a reparse point (a link)"},
      {"log with a second hard link", [&] { disk.HardLink(u"C:\\logs\\q.log", kHive); }, toNamedLog, kResult,
       "C:\\logs\\q.log has more than one hard link"},
      {"result with a second hard link", [&] { disk.HardLink(kResult, kHive); }, install, kLog,
       "C:\\out\\r.json has more than one hard link"},
      {"result that is a symbolic link", [&] { disk.SymbolicLink(kResult, kHive); }, install, kLog,
       "C:\\out\\r.json is a reparse point (a link)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FreshDisk();
    spooler.printers.clear();
    spooler.drivers.clear();
    disk.folders.Put(u"C:\\out");
    disk.Put(kHive, "hive");
    c.plant();
    EXPECT_EQ(Run(c.args), 1307u);
    EXPECT_EQ(disk.files.at(kHive), "hive");
    EXPECT_TRUE(spooler.printers.empty());
    EXPECT_TRUE(spooler.drivers.empty());
    ASSERT_TRUE(disk.Exists(c.toldIn));
    const std::string told =
        c.toldIn == kLog ? Log() : nlohmann::json::parse(disk.files.at(kResult))["message"].get<std::string>();
    EXPECT_THAT(told, ::testing::HasSubstr(c.reason));
    if (c.toldIn != kLog) {
      EXPECT_FALSE(disk.Exists(kLog));
    }
  }
  // The deployment example's result, in the folder that was refused, is not written.
  FreshDisk();
  disk.folders.Put(kFolder, u"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)");
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/result=C:\\ProgramData\\Quispor\\result.json"}), 1307u);
  EXPECT_FALSE(disk.Exists(u"C:\\ProgramData\\Quispor\\result.json"));
}

TEST_F(UnattendedRunTest, TcpIpPortsAreFoundOrCreatedWithoutABox) {
  registry.store.PutKey(kTcpPorts + u"\\IP_10.0.0.50");
  registry.store.PutString(kTcpPorts + u"\\IP_10.0.0.50", u"HostName", u"");
  registry.store.PutString(kTcpPorts + u"\\IP_10.0.0.50", u"IPAddress", u"10.0.0.50");
  registry.store.PutDword(kTcpPorts + u"\\IP_10.0.0.50", u"PortNumber", 9100);
  spooler.ports.push_back({u"IP_10.0.0.50", u"Standard TCP/IP Port"});
  ASSERT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.50"}), 0u) << Log();
  EXPECT_EQ(spooler.printers.back().port, u"IP_10.0.0.50");
  EXPECT_TRUE(Logged("TCP/IP port found for 10.0.0.50:9100: IP_10.0.0.50\r\n"));

  ASSERT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.77:9101"}), 0u) << Log();
  EXPECT_EQ(spooler.printers.back().port, u"10.0.0.77_Port_9101");
  EXPECT_TRUE(Logged("TCP/IP port created for 10.0.0.77:9101: 10.0.0.77_Port_9101\r\n"));

  // The monitor's refusal is a log line and 1796, never a box, and never
  // its status as the exit code (5 would read as "no administrator access").
  spooler.addPortStatus = 5;
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.78"}), 1796u);
  EXPECT_TRUE(Logged("message: XcvData AddPort Error. Status:5\r\n"));
  EXPECT_TRUE(Logged("could be found or created; the port monitor answered 5\r\n"));
  spooler.monitors = {u"Local Port"};
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.79"}), 1796u);
  EXPECT_EQ(spooler.printers.size(), 2u);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(UnattendedRunTest, FailuresExitWithTheirOwnCodeNeverWithOneThatReadsAsSuccess) {
  for (uint32_t code : {0u, 1707u, 3010u, 1641u}) EXPECT_EQ(FailureExitCode(code), kExitInstallFailure) << code;
  EXPECT_EQ(FailureExitCode(1796), 1796u);
  EXPECT_EQ(InstallExitCode(-1, 0), kExitInstallFailure);
  EXPECT_EQ(FailureExitCode(0xFFFFFFFF), kExitInstallFailure);
  // The sequence's -1 for a refused first printer gives way to the spooler's code.
  spooler.FailNext("AddPrinterW", 5);
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=COM2:"}), 5u);
  EXPECT_TRUE(Logged("printer added \"VEXO_80\": failed with 5\r\n"));
  EXPECT_TRUE(Logged("Fail to add printer. -- ERROR CODE = -1\r\n"));
  // A driver file missing beside the program: the registration's code.
  disk.files.erase(u"C:\\Kit\\VEXO_80.DAT");
  disk.files.erase(u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\VEXO_80.DAT");
  spooler.drivers.clear();
  EXPECT_EQ(Run({u"/quiet", u"/model=VEXO_80", u"/port=COM3:"}), 2u);
}

TEST_F(UnattendedRunTest, WhatIfCreatesNoRegistryKeyToLearnItHasAdministratorAccess) {
  const std::u16string classes = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";
  registry.store.PutKey(classes);  // a PC that never had a USB printer: no {28d78fad-...} under it
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/whatif"}), 0u) << Log();
  EXPECT_TRUE(registry.keys.empty());
  EXPECT_FALSE(registry.store.HasKey(classes + u"\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"));
  EXPECT_EQ(registry.OpenHandles(), 0u);
  registry.store.DenyAccess(classes);
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/whatif"}), kExitAccessDenied);
}

TEST_F(UnattendedRunTest, WhatIfListsWhatTheRemovalDeletesAndTheRemovalDoesIt) {
  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 0u);  // nothing of the maker's
  spooler.drivers = {{u"VEXO_80"}, {u"VEXO_58"}};
  AddPrinter(u"VEXO_80", u"VEXO_80", u"LPT1:");
  AddPrinter(u"Front desk", u"VEXO_58", u"COM1:");
  AddPrinter(u"Office", u"Other", u"LPT2:");
  search.paths.push_back(u"C:\\Windows\\inf\\oem3.inf");
  files.File("C:\\Windows\\inf\\oem3.inf").bytes = "[VEXO.Files]\r\nVEXO_80.DAT\r\n";
  disk.folders.Put(u"C:\\out");

  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/whatif", u"/result=C:\\out\\w.json"}), 0u);
  EXPECT_EQ(spooler.printers.size(), 3u);
  EXPECT_EQ(spooler.drivers.size(), 2u);
  EXPECT_EQ(Calls("Delete"), 0u);
  EXPECT_TRUE(processes.starts.empty());
  const nlohmann::json plan = nlohmann::json::parse(disk.files[u"C:\\out\\w.json"])["wouldRemove"];
  EXPECT_EQ(plan["printers"], nlohmann::json({"VEXO_80", "Front desk"}));
  EXPECT_EQ(plan["drivers"], nlohmann::json({"VEXO_80", "VEXO_58"}));
  EXPECT_EQ(plan["packages"], nlohmann::json({"oem3.inf"}));
  EXPECT_EQ(plan["forms"], nlohmann::json::array());
  EXPECT_TRUE(Logged("would remove printer \"Front desk\"\r\n"));

  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 0u);
  ASSERT_EQ(spooler.printers.size(), 1u);
  EXPECT_TRUE(spooler.drivers.empty());
  EXPECT_TRUE(Logged("printer deleted \"VEXO_80\": done (0)\r\n"));
  EXPECT_TRUE(Logged("driver deleted \"VEXO_58\": done (0)\r\n"));
  EXPECT_TRUE(Logged("driver package deleted \"oem3.inf\": done (0)\r\n"));
  EXPECT_TRUE(Logged("The printer driver deletion is complete.\r\n"));
}

// The run never ends with 0 while something of the maker's stays installed:
// a run again after one that stopped finds what is left, and pnputil's own
// exit code decides the package's step.
TEST_F(UnattendedRunTest, ARemovalThatStoppedExitsWithItsCodeUntilNothingOfTheMakersIsLeft) {
  spooler.drivers = {{u"VEXO_80"}};
  AddPrinter(u"VEXO_80", u"VEXO_80", u"LPT1:");
  search.paths.push_back(u"C:\\Windows\\inf\\oem3.inf");
  files.File("C:\\Windows\\inf\\oem3.inf").bytes = "VEXO_80.DAT";
  disk.folders.Put(u"C:\\out");
  for (int run = 0; run < 2; ++run) {
    serviceManager.FailNext("OpenSCManagerA", 5);  // the spooler keeps the driver
    EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 3001u) << run;
  }
  EXPECT_TRUE(spooler.printers.empty());
  EXPECT_EQ(Log().find("The printer driver deletion is complete."), std::string::npos) << Log();
  EXPECT_TRUE(Logged("Fail to uninstall driver. -- ERROR CODE = 3001(1-0)\r\n2026-12-09 17:41:02 exit code 3001\r\n"));

  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/whatif", u"/result=C:\\out\\w.json"}), 0u);
  const nlohmann::json plan = nlohmann::json::parse(disk.files[u"C:\\out\\w.json"])["wouldRemove"];
  EXPECT_EQ(plan["drivers"], nlohmann::json({"VEXO_80"}));
  EXPECT_EQ(plan["packages"], nlohmann::json({"oem3.inf"}));
  EXPECT_EQ(plan["printers"], nlohmann::json::array());

  processes.exitCode = 5;  // pnputil refuses
  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 5u);
  EXPECT_TRUE(spooler.drivers.empty());
  EXPECT_TRUE(Logged("pnputil deleting oem3.inf exited with 5 (Access is denied.)\r\n"));
  EXPECT_TRUE(Logged("driver package deleted \"oem3.inf\": failed with 5\r\n"));

  processes.exitCode = 3010;  // deleted, complete after a restart
  processes.onStart = [this](const std::u16string&) { search.paths.clear(); };
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/result=C:\\out\\r.json"}), 3010u);
  EXPECT_TRUE(Logged("driver package deleted \"oem3.inf\": done (3010)\r\n"));
  const nlohmann::json result = nlohmann::json::parse(disk.files[u"C:\\out\\r.json"]);
  EXPECT_EQ(result["exitCode"], 3010);
  EXPECT_EQ(result["changed"], true);
  EXPECT_EQ(result["message"], "The printer driver deletion is complete.");

  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/whatif"}), 0u);
  EXPECT_TRUE(Logged("nothing of the maker's models is installed; nothing to remove\r\n"));
  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 0u);
  // Without the list of drivers neither can tell that nothing is left.
  for (const char16_t* whatIf : {u"/whatif", u"/log=C:\\ProgramData\\Quispor\\Quispor.log"}) {
    spooler.FailNext("EnumPrinterDriversW", 1722);
    EXPECT_EQ(Run({u"/quiet", u"/uninstall", whatIf}), 1722u);
  }
  EXPECT_TRUE(Logged("the printer drivers cannot be listed: 1722\r\n"));
}

TEST_F(UnattendedRunTest, UsageAndSwitchesWithoutQuietShowTheBoxAndNoLog) {
  EXPECT_EQ(Run({u"/?"}), 0u);
  EXPECT_EQ(Run({u"/model=VEXO_80", u"/port=COM1:"}), kExitInvalidCommandLine);
  ASSERT_EQ(messages.boxes.size(), 2u);
  EXPECT_EQ(messages.boxes[0].text.rfind(u"Quispor.exe /quiet /model=<name>", 0), 0u);
  EXPECT_EQ(messages.boxes[1].text.rfind(u"These switches need /quiet.", 0), 0u);
  EXPECT_FALSE(messages.boxes[0].owned);
  EXPECT_EQ(Log(), "");
  // With /quiet the usage goes to the log.
  EXPECT_EQ(Run({u"/quiet", u"/?"}), 0u);
  EXPECT_EQ(messages.boxes.size(), 2u);
  EXPECT_TRUE(Logged("Exit codes: 0 done"));
}

TEST_F(UnattendedRunTest, TheLogIsMadeWhereAskedAndAlwaysStaysOneLinePerEntry) {
  EXPECT_EQ(Run({u"/quiet", u"/uninstall", u"/log=C:\\missing\\q.log"}), 3u);  // ERROR_PATH_NOT_FOUND
  disk.folders.items.erase(u"C:\\ProgramData");
  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 3u);
  // The known folder itself cannot be had.
  disk.folders.programDataError = 2;
  EXPECT_EQ(Run({u"/quiet", u"/uninstall"}), 2u);
  EXPECT_EQ(Calls("Enum"), 0u) << "a run without its log did something";

  const SystemTime time{2027, 1, 5, 8, 7, 6, 5, 4};
  EXPECT_EQ(LogLine(time, u"a\r\nb\t\u4E2D\U0001F5A8"), "2027-01-08 07:06:05 a  b \xE4\xB8\xAD\xF0\x9F\x96\xA8\r\n");
  EXPECT_EQ(Utf8Of(std::u16string(1, u'\xD800') + u"x" + std::u16string(1, u'\xDC00')), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quispor::unattended
