#include "wizard/removal/RunUninstall.h"

#include <algorithm>

#include "tests/wizard/removal/RemovalFixture.h"
#include "wizard/removal/DriverRemoval.h"

namespace quispor::removal::test {
namespace {

constexpr char kVexo80Inf[] = "[VEXO.Files]\r\nVEXO_80.DAT\r\n";
constexpr char kVexo58Inf[] = "[VEXO.Files]\r\nVEXO_58.DAT\r\n";
constexpr char16_t kDone[] = u"The printer driver deletion is complete.";

class RunUninstallTest : public RemovalFixture {
 protected:
  uint32_t Run() { return RunUninstall(removal_, report_); }
  std::vector<std::string> SpoolerCalls(const std::string& name) {
    std::vector<std::string> out;
    std::copy_if(spooler_.calls.begin(), spooler_.calls.end(), std::back_inserter(out),
                 [&](const std::string& c) { return c.rfind(name, 0) == 0; });
    return out;
  }
  static std::string DriverDeletion(const std::string& driver) {
    return "DeletePrinterDriverExW(server=null, environment=null, driver=\"" + driver +
           "\", deleteFlag=1, versionFlag=0)";
  }
  // A printer of VEXO_80, its package and VEXO_58's.
  void PrinterAndTwoPackages() {
    AddDriver(u"VEXO_80");
    AddPrinter(u"VEXO_80", u"VEXO_80");
    AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo80Inf);
    AddInf(u"C:\\Windows\\inf\\oem5.inf", kVexo58Inf);
  }
  kit::fakes::RecordingReport report_;
};

TEST_F(RunUninstallTest, NothingInstalledShowsTheFinishTextOnly) {
  AddPrinter(u"Office", u"Other driver");
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.started, 1);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{kDone}));
  EXPECT_TRUE(SpoolerCalls("DeletePrinter").empty());
  EXPECT_EQ(spooler_.printers.size(), 1u);
  EXPECT_EQ(devices_.reenumerations, 0u);
  EXPECT_EQ(Log(), "");
}

TEST_F(RunUninstallTest, TwoPrintersOnOneDriverAreRemovedWithTheDriverAndItsPackage) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddPrinter(u"VEXO_80(1)", u"VEXO_80");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo80Inf);
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"", kDone}));
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_TRUE(spooler_.drivers.empty());
  // The spooler holds the driver of the printers just deleted until it is
  // restarted.
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW"),
            (std::vector<std::string>{DriverDeletion("VEXO_80"), DriverDeletion("VEXO_80")}));
  EXPECT_EQ(SpoolerCalls("DeletePrinter("), (std::vector<std::string>{"DeletePrinter(0x100c)", "DeletePrinter(0x1010)"}));
  EXPECT_FALSE(Exists(u"C:\\Windows\\inf\\oem2.inf"));
  EXPECT_EQ(devices_.reenumerations, 1u);
  EXPECT_EQ(services_.Spooler().stops, 1u);
  EXPECT_EQ(services_.Spooler().starts, 1u);
  EXPECT_TRUE(spooler_.openHandles.empty());
  EXPECT_EQ(Log(), Stored({"GetMyForms:: formNum zero\r\n", "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "UninstallOneDriver:: DeletePrinterDriverEx Fail\r\n", "RestartSpooler Enter\r\n",
                           "RestartSpooler QueryServiceStatus break",
                           "GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem2.inf\r\n", "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n",
                           "DeleteMyInfFile:: pnputil exit code=0 (The operation completed successfully.)\r\n"}));
}

// A removal that stopped at the driver leaves it without printers: the next
// run finds it by its model's name, fails the same way while the spooler
// holds it, and finishes once it lets go.
TEST_F(RunUninstallTest, ARemovalThatStoppedHalfWayIsFinishedByTheNextRun) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo80Inf);
  PnputilDeletesPackages();
  services_.FailNext("OpenSCManagerA", 5);  // no restart
  EXPECT_EQ(Run(), 3001u);
  EXPECT_TRUE(spooler_.printers.empty());

  report_ = {};
  services_.FailNext("OpenSCManagerA", 5);
  EXPECT_EQ(Run(), 3001u) << "the driver stays installed";
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"",
                                                        u"Fail to uninstall driver. -- ERROR CODE = 3001(1-0)"}));
  EXPECT_TRUE(Exists(u"C:\\Windows\\inf\\oem2.inf"));

  report_ = {};
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"", kDone}));
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_FALSE(Exists(u"C:\\Windows\\inf\\oem2.inf"));
}

TEST_F(RunUninstallTest, DriversNoPrinterUsesAndPackagesWithoutADriverAreRemovedToo) {
  AddDriver(u"Other driver");
  AddDriver(u"vexo_58");
  AddPrinter(u"Office", u"Other driver");
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "[x]\r\nVEXO_216.DAT\r\n");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", "[x]\r\nOTHER.DAT\r\n");
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kVexo58Inf);
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"vexo_58\"",
                                                        u"Deleting printer \"oem1.inf\"", kDone}));
  // Found by its model's name without case, it takes that model's package.
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW"), (std::vector<std::string>{DriverDeletion("vexo_58")}));
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[0].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem3.inf");
  EXPECT_EQ(processes_.starts[1].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem1.inf");
  EXPECT_TRUE(Exists(u"C:\\Windows\\inf\\oem2.inf"));
  ASSERT_EQ(spooler_.drivers.size(), 1u);
  EXPECT_EQ(spooler_.printers.size(), 1u);
  EXPECT_EQ(devices_.reenumerations, 2u);
}

TEST_F(RunUninstallTest, APackageThatPnputilKeepsEndsTheRunWithItsCodeAndTheNextRunFinishes) {
  PrinterAndTwoPackages();
  processes_.exitCode = 5;
  EXPECT_EQ(Run(), 5u);
  EXPECT_EQ(report_.Last(), u"Fail to uninstall driver. -- ERROR CODE = 5(1-0)");
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_EQ(processes_.starts.size(), 1u) << "the run goes no further";

  report_ = {};
  processes_.programs.clear();  // no command processor to run pnputil
  EXPECT_EQ(Run(), 1627u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"oem2.inf\"",
                                                        u"Fail to uninstall driver. -- ERROR CODE = 1627(0-0)"}));

  report_ = {};
  processes_ = kit::fakes::FakeProcesses{};
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"oem2.inf\"",
                                                        u"Deleting printer \"oem5.inf\"", kDone}));
  EXPECT_TRUE(search_.paths.empty());
  EXPECT_EQ(devices_.reenumerations, 2u);
}

TEST_F(RunUninstallTest, PnputilsRestartAnswerCountsAsDeletedAndBecomesTheResult) {
  PrinterAndTwoPackages();
  PnputilDeletesPackages();
  processes_.exitCode = 3010;
  EXPECT_EQ(Run(), 3010u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"",
                                                        u"Deleting printer \"oem5.inf\"", kDone}));
  EXPECT_TRUE(search_.paths.empty());
}

TEST_F(RunUninstallTest, DriversThatCannotBeListedEndTheRunBeforeAnythingIsDeleted) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  spooler_.FailNext("EnumPrinterDriversW", 1722);
  EXPECT_EQ(Run(), 1722u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Fail to uninstall driver. -- ERROR CODE = 1722(1-0)"}));
  EXPECT_EQ(spooler_.printers.size(), 1u);
  EXPECT_TRUE(SpoolerCalls("Delete").empty());
}

TEST_F(RunUninstallTest, SpoolerCallsOfOnePrinterInOrder) {
  AddDriver(u"VEXO_58");
  AddPrinter(u"Front desk", u"VEXO_58");
  EXPECT_EQ(Run(), 0u);
  std::vector<std::string> calls;
  for (const std::string& c : spooler_.calls) {
    calls.push_back(c.substr(0, c.find('(')));
  }
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "EnumPrintersW", "EnumPrintersW",                                      // scan
                       "EnumPrinterDriversW", "EnumPrinterDriversW",                          // unused drivers
                       "EnumPrintersW", "EnumPrintersW",                                      // collect
                       "OpenPrinterW", "EnumJobsW", "GetPrinterW", "GetPrinterW", "ClosePrinter",  // jobs
                       "OpenPrinterW", "EnumFormsW", "ClosePrinter",                          // forms
                       "OpenPrinterW", "DeletePrinter", "DeletePrinterConnectionW", "ClosePrinter",
                       "DeletePrinterDriverExW", "DeletePrinterDriverExW"}));  // held, then after the restart
}

TEST_F(RunUninstallTest, TwoDriversInScanOrderEachWithItsOwnPackage) {
  AddDriver(u"VEXO_80");
  AddDriver(u"VEXO_58");
  AddPrinter(u"Front desk", u"VEXO_58");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddInf(u"C:\\Windows\\inf\\oem1.inf", kVexo80Inf);
  AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo58Inf);
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_58\"",
                                                            u"Deleting printer \"VEXO_80\"", kDone}));
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW"),
            (std::vector<std::string>{DriverDeletion("VEXO_58"), DriverDeletion("VEXO_58"), DriverDeletion("VEXO_80"),
                                      DriverDeletion("VEXO_80")}));
  EXPECT_EQ(services_.Spooler().starts, 2u);
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[0].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem2.inf");
  EXPECT_EQ(processes_.starts[1].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem1.inf");
  EXPECT_EQ(devices_.reenumerations, 2u);
}

TEST_F(RunUninstallTest, DriverInOtherLetterCaseUsesItsOwnNameAndThePreviousModelsPackageThenTheRest) {
  AddDriver(u"VEXO_58");
  AddDriver(u"vexo_80");
  AddPrinter(u"Front desk", u"VEXO_58");
  AddPrinter(u"Back office", u"vexo_80");
  AddInf(u"C:\\Windows\\inf\\oem1.inf", kVexo58Inf);
  AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo80Inf);
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_58\"", u"Deleting printer \"vexo_80\"",
                                                        u"Deleting printer \"oem2.inf\"", kDone}));
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW"),
            (std::vector<std::string>{DriverDeletion("VEXO_58"), DriverDeletion("VEXO_58"), DriverDeletion("vexo_80"),
                                      DriverDeletion("vexo_80")}));
  EXPECT_TRUE(spooler_.printers.empty());
  // The second search still looks for VEXO_58.DAT, whose package is gone;
  // VEXO_80's goes once no driver is left.
  EXPECT_NE(Log().find("DeleteMyInfFile:: GetMyOemInfFile Fail"), std::string::npos);
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[1].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem2.inf");
  EXPECT_FALSE(Exists(u"C:\\Windows\\inf\\oem2.inf"));
}

TEST_F(RunUninstallTest, LoneDriverInOtherLetterCaseSearchesModelZerosPackage) {
  AddDriver(u"vexo_80");
  AddPrinter(u"Back office", u"vexo_80");
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "VEXO_216.DAT");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", kVexo80Inf);
  PnputilDeletesPackages();
  EXPECT_EQ(Run(), 0u);
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[0].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem1.inf");
  EXPECT_EQ(processes_.starts[1].commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem2.inf");
}

TEST_F(RunUninstallTest, DriverStillHeldIsDeletedAfterASpoolerRestart) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.texts.back(), kDone);
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW"),
            (std::vector<std::string>{DriverDeletion("VEXO_80"), DriverDeletion("VEXO_80")}));
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_EQ(services_.Spooler().stops, 1u);
  EXPECT_EQ(services_.Spooler().starts, 1u);
  EXPECT_EQ(Log(), Stored({"GetMyForms:: formNum zero\r\n", "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "UninstallOneDriver:: DeletePrinterDriverEx Fail\r\n", "RestartSpooler Enter\r\n",
                           "RestartSpooler QueryServiceStatus break",
                           "GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "GetMyOemInfFile::FindFirstFile error=2\r\n",
                           "DeleteMyInfFile:: GetMyOemInfFile Fail\r\n"}));
}

TEST_F(RunUninstallTest, WithoutARestartTheDriverOfTheDeletedPrintersStaysHeld) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  services_.FailNext("OpenSCManagerA", 5);  // the restart cannot begin
  EXPECT_EQ(Run(), 3001u);
  EXPECT_EQ(report_.Last(), u"Fail to uninstall driver. -- ERROR CODE = 3001(1-0)");
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_EQ(spooler_.drivers.size(), 1u);
  EXPECT_EQ(SpoolerCalls("DeletePrinterDriverExW").size(), 2u);
}

TEST_F(RunUninstallTest, APrinterWithQueuedJobsStaysPendingWithItsDriverUntilTheRestart) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80", /*jobs=*/3);
  services_.FailNext("OpenServiceA", 5);  // no restart
  EXPECT_EQ(Run(), 3001u);
  ASSERT_EQ(spooler_.printers.size(), 1u) << "pending deletion while its jobs are queued";
  EXPECT_TRUE(spooler_.printers[0].pendingDeletion);
  EXPECT_EQ(spooler_.drivers.size(), 1u);

  // With the restart both go.
  spooler_.printers[0].pendingDeletion = false;
  spooler_.calls.clear();
  EXPECT_EQ(Run(), 0u);
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_EQ(services_.Spooler().stops, 1u);
  EXPECT_EQ(services_.Spooler().starts, 1u);
}

TEST_F(RunUninstallTest, ASpoolerThatDoesNotComeBackEndsTheRunWithTheRetrysCode) {
  AddDriver(u"VEXO_80");
  AddDriver(u"VEXO_58");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddPrinter(u"VEXO_58", u"VEXO_58");
  services_.Spooler().neverStarts = true;
  EXPECT_EQ(Run(), 1722u);  // RPC_S_SERVER_UNAVAILABLE: the retry finds no spooler
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"",
                                                        u"Fail to uninstall driver. -- ERROR CODE = 1722(2-0)"}));
  EXPECT_EQ(services_.Spooler().stops, 1u);
  EXPECT_EQ(spooler_.printers.size(), 1u);  // the second driver is not attempted
  EXPECT_EQ(spooler_.drivers.size(), 2u);
  EXPECT_TRUE(processes_.starts.empty());
  EXPECT_EQ(devices_.reenumerations, 0u);
}

TEST_F(RunUninstallTest, PrinterThatCannotBeOpenedStopsWithItsCode) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddPrinter(u"VEXO_80(1)", u"VEXO_80");
  spooler_.deniedPrinters = {u"VEXO_80(1)"};
  EXPECT_EQ(Run(), 5u);
  EXPECT_EQ(report_.texts.back(), u"Fail to uninstall driver. -- ERROR CODE = 5(1-0)");
  ASSERT_EQ(spooler_.printers.size(), 1u);
  EXPECT_EQ(spooler_.printers[0].name, u"VEXO_80(1)");
  EXPECT_TRUE(SpoolerCalls("DeletePrinterDriverExW").empty());
  EXPECT_EQ(Log(), Stored({"GetJobsByName:: OpenPrinter Fail\r\n", "GetMyForms:: formNum zero\r\n",
                           "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "DeleteMyPrinters:: OpenPrinter Fail\r\n", "UninstallOneDriver:: DeleteMyPrinters Fail\r\n"}));
}

TEST_F(RunUninstallTest, AccessDeniedOnTheSecondOfTwoDrivers) {
  AddDriver(u"VEXO_80");
  AddDriver(u"VEXO_58");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddPrinter(u"VEXO_58", u"VEXO_58");
  spooler_.deniedPrinters = {u"VEXO_58"};
  EXPECT_EQ(Run(), 5u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"Deleting printer \"VEXO_80\"",
                                                            u"Deleting printer \"VEXO_58\"",
                                                            u"Fail to uninstall driver. -- ERROR CODE = 5(2-1)"}));
  EXPECT_EQ(spooler_.drivers.size(), 1u);
  EXPECT_EQ(devices_.reenumerations, 1u);
}

TEST_F(RunUninstallTest, ConnectionsAreRemovedWithoutTouchingTheQueuesOnTheirServers) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddConnection(u"\\\\frontdesk\\VEXO_80", u"VEXO_80", /*serverAdministrator=*/true);
  AddConnection(u"\\\\office\\Receipts", u"VEXO_80", /*serverAdministrator=*/false);
  EXPECT_EQ(Run(), 0u);
  EXPECT_EQ(report_.Last(), kDone);
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_TRUE(spooler_.deletedServerQueues.empty());
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_EQ(SpoolerCalls("DeletePrinter(").size(), 1u);  // the local printer's
  EXPECT_EQ(SpoolerCalls("DeletePrinterConnectionW"),
            (std::vector<std::string>{"DeletePrinterConnectionW(\"VEXO_80\")",
                                      "DeletePrinterConnectionW(\"\\\\frontdesk\\VEXO_80\")",
                                      "DeletePrinterConnectionW(\"\\\\office\\Receipts\")"}));
}

TEST_F(RunUninstallTest, AConnectionThatCannotBeRemovedStopsWithItsCode) {
  AddDriver(u"VEXO_80");
  AddConnection(u"\\\\office\\Receipts", u"VEXO_80", false);
  spooler_.FailNext("DeletePrinterConnectionW", 1722);
  EXPECT_EQ(Run(), 1722u);
  EXPECT_EQ(report_.Last(), u"Fail to uninstall driver. -- ERROR CODE = 1722(1-0)");
  EXPECT_EQ(spooler_.printers.size(), 1u);
  EXPECT_TRUE(SpoolerCalls("DeletePrinterDriverExW").empty());
  EXPECT_NE(Log().find("DeleteMyPrinters:: DeletePrinterConnection Fail\r\r\n\r\nUninstallOneDriver:: DeleteMyPrinters Fail"),
            std::string::npos) << Log();
}

TEST_F(RunUninstallTest, CollectionFailureIsLoggedAndEndsTheRun) {
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  spooler_.FailNext("EnumPrintersW", 0);
  spooler_.FailNext("EnumPrintersW", 0);
  spooler_.FailNext("EnumPrintersW", 1722);
  EXPECT_EQ(Run(), 1722u);
  EXPECT_EQ(report_.texts.back(), u"Fail to uninstall driver. -- ERROR CODE = 1722(1-0)");
  EXPECT_EQ(Log(), Stored({"GetPrinterByDriverName:: EnumPrinters Fail\r\n",
                           "UninstallOneDriver:: GetPrinterByDriverName Fail\r\n"}));
}

TEST_F(RunUninstallTest, AllOneHundredTwentyNinePrintersOfADriverAreRemoved) {
  AddDriver(u"VEXO_80");
  for (int i = 0; i < 129; ++i) {
    AddPrinter(u"VEXO_80(" + Decimal(i) + u")", u"VEXO_80");
  }
  EXPECT_EQ(Run(), 0u);
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_TRUE(spooler_.drivers.empty());
  EXPECT_EQ(report_.texts.back(), kDone);
}

TEST_F(RunUninstallTest, ChineseTextsAndCodesAboveTheSignedRange) {
  languageId_ = 0x0804;
  ResetPoLanguageForTest();
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  spooler_.FailNext("DeletePrinter", 0x80070005u);
  EXPECT_EQ(Run(), 0x80070005u);
  EXPECT_EQ(report_.texts, (std::vector<std::u16string>{u"正在删除打印驱动 \"VEXO_80\"",
                                                            u"打印驱动卸载失败。 -- ERROR CODE = -2147024891(1-0)"}));
}

}  // namespace
}  // namespace quispor::removal::test
