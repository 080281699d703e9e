// The installation as the finish page runs it: files, driver, printer,
// default printer, and the outcome text of every row of the failure table.
#include <gtest/gtest.h>

#include "tests/wizard/install/InstallFixture.h"
#include "wizard/engine/WideFormat.h"

namespace quispor::testing {
namespace {

constexpr char kDriverCall[] =
    "AddPrinterDriverW(server=null, level=3, version=3, name=\"VEXO_80\", environment=\"Windows x64\", "
    "driver=\"VEXO_Printer_Render_64.dll\", data=\"VEXO_80.DAT\", config=\"VEXO_Printer_UI_64.dll\", help=null, "
    "dependent=[VEXO_Printer_Render_64.dll|VEXO_Printer_UI_64.dll|VEXO_80.DAT], monitor=null, datatype=\"Raw\")";

std::string PrinterCall(const std::string& name, const std::string& port) {
  return "AddPrinterW(server=null, level=2, printerServer=null, name=\"" + name + "\", share=null, port=\"" + port +
         "\", driver=\"VEXO_80\", comment=null, location=null, devmode=null, sepfile=null, processor=\"WinPrint\", "
         "datatype=\"Raw\", parameters=null, security=null, attributes=0x40, priority=0, defaultPriority=0, start=0, "
         "until=0, status=0, jobs=0, ppm=0)";
}

TEST_F(InstallTest, FirstInstallCopiesTheSixtyFourBitFilesRegistersTheDriverAndMakesTheDefaultPrinter) {
  EXPECT_EQ(Run(2, u"COM1:"), 0);
  EXPECT_EQ(Outcome(), u"VEXO_80Installed printer .");
  EXPECT_EQ(state.stage, STAGE_PRINTER);
  EXPECT_EQ(std::u16string(state.lastPrinterName), u"VEXO_80");
  const std::string dir = "C:\\Windows\\system32\\spool\\DRIVERS\\x64\\";
  EXPECT_EQ(disk.calls, (std::vector<std::string>{
                            "CopyFileW(\"C:\\Kit\\VEXO_Printer_Render_64.dll\", \"" + dir +
                                "VEXO_Printer_Render_64.dll\", failIfExists=false)",
                            "CopyFileW(\"C:\\Kit\\VEXO_Printer_UI_64.dll\", \"" + dir +
                                "VEXO_Printer_UI_64.dll\", failIfExists=false)",
                            "CopyFileW(\"C:\\Kit\\VEXO_80.DAT\", \"" + dir + "VEXO_80.DAT\", failIfExists=false)"}));
  EXPECT_EQ(SpoolerCalls("AddPrinterDriverW"), (std::vector<std::string>{kDriverCall}));
  EXPECT_EQ(SpoolerCalls("AddPrinterW"), (std::vector<std::string>{PrinterCall("VEXO_80", "COM1:")}));
  EXPECT_EQ(spooler.defaultPrinter, u"VEXO_80");
  ASSERT_NE(spooler.FindPrinter(u"VEXO_80"), nullptr);
  EXPECT_EQ(spooler.FindPrinter(u"VEXO_80")->port, u"COM1:");
  EXPECT_TRUE(spooler.openHandles.empty());
}

TEST_F(InstallTest, SecondInstallOfTheModelCopiesNothingAndNumbersThePrinter) {
  ASSERT_EQ(Run(2, u"COM1:"), 0);
  disk.calls.clear();
  spooler.calls.clear();
  EXPECT_EQ(Run(2, u"LPT1:"), 0);
  EXPECT_EQ(Outcome(), u"VEXO_80(1)Installed printer .");
  EXPECT_TRUE(disk.calls.empty());
  EXPECT_TRUE(SpoolerCalls("AddPrinterDriverW").empty());
  EXPECT_EQ(SpoolerCalls("AddPrinterW"),
            (std::vector<std::string>{PrinterCall("VEXO_80", "LPT1:"), PrinterCall("VEXO_80(1)", "LPT1:")}));
  EXPECT_EQ(spooler.defaultPrinter, u"VEXO_80(1)");
}

TEST_F(InstallTest, ADriverInstalledInOtherLetterCaseCountsAndThePrinterUsesTheRequestedSpelling) {
  spooler.drivers.push_back(Driver(u"vexo_80"));
  EXPECT_EQ(Run(2, u"COM1:"), 0);
  EXPECT_TRUE(disk.calls.empty());
  EXPECT_TRUE(SpoolerCalls("AddPrinterDriverW").empty());
  EXPECT_EQ(spooler.FindPrinter(u"VEXO_80")->driver, u"VEXO_80");
}

TEST_F(InstallTest, WithoutTheDefaultOptionTheDefaultPrinterStays) {
  spooler.printers.push_back(Printer(u"Front desk", u"VEXO_58"));
  spooler.defaultPrinter = u"Front desk";
  EXPECT_EQ(Run(2, u"COM1:", false), 0);
  EXPECT_EQ(spooler.defaultPrinter, u"Front desk");
  EXPECT_TRUE(SpoolerCalls("SetDefaultPrinterW").empty());
}

TEST_F(InstallTest, ThirtyTwoBitSystemKeepsTheCatalogueNamesAndTheX86Environment) {
  system.nativeArchitecture = 0;
  system.reportedArchitecture = 0;
  spooler.runningEnvironment = u"Windows NT x86";
  EXPECT_EQ(Run(3, u"LPT1:"), 0);
  const std::string dir = "C:\\Windows\\system32\\spool\\DRIVERS\\W32X86\\";
  EXPECT_EQ(disk.calls.front(), "CopyFileW(\"C:\\Kit\\VEXO_Printer_Render.dll\", \"" + dir +
                                    "VEXO_Printer_Render.dll\", failIfExists=false)");
  ASSERT_EQ(SpoolerCalls("AddPrinterDriverW").size(), 1u);
  EXPECT_NE(SpoolerCalls("AddPrinterDriverW")[0].find(
                "environment=\"Windows NT x86\", driver=\"VEXO_Printer_Render.dll\", data=\"VEXO_58.DAT\", "
                "config=\"VEXO_Printer_UI.dll\""),
            std::string::npos);
}

TEST_F(InstallTest, FirstAddPrinterFailureOtherThanTakenNameGivesMinusOne) {
  // A port that the spooler does not know, with the plain name free.
  EXPECT_EQ(Run(2, u"USB009"), -1);
  EXPECT_EQ(state.stage, STAGE_PRINTER);
  EXPECT_EQ(Outcome(), u"Fail to add printer. -- ERROR CODE = -1");
  // Access denied on the first attempt is -1 as well.
  spooler.FailNext("AddPrinterW", 5);
  EXPECT_EQ(Run(2, u"COM1:"), -1);
  EXPECT_EQ(Outcome(), u"Fail to add printer. -- ERROR CODE = -1");
}

TEST_F(InstallTest, NumberedFailuresPassTheirCodeWithTheirTexts) {
  spooler.printers.push_back(Printer(u"VEXO_80", u"VEXO_80"));
  spooler.drivers.push_back(Driver(u"VEXO_80"));
  // The unknown port only shows once the plain name is taken.
  EXPECT_EQ(Run(2, u"USB009"), 1796);
  EXPECT_EQ(Outcome(), u"Fail to add printer.Please connect the printer USB to the computer and turn on the power.");
  spooler.FailNext("AddPrinterW", 0);
  spooler.FailNext("AddPrinterW", 5);
  EXPECT_EQ(Run(2, u"COM1:"), 5);
  EXPECT_EQ(Outcome(), u"Fail to add printer.Please run this program as an administrator.");
  spooler.FailNext("AddPrinterW", 0);
  spooler.FailNext("AddPrinterW", 1797);
  EXPECT_EQ(Run(2, u"COM1:"), 1797);
  EXPECT_EQ(Outcome(), u"Fail to add printer. -- ERROR CODE = 1797");
}

TEST_F(InstallTest, NumberingTakesTheLowestFreeNumberAndGivesUpAfter127) {
  spooler.drivers.push_back(Driver(u"VEXO_80"));
  spooler.printers.push_back(Printer(u"VEXO_80", u"VEXO_80"));
  spooler.printers.push_back(Printer(u"VEXO_80(2)", u"VEXO_80"));
  EXPECT_EQ(Run(2, u"COM1:"), 0);
  EXPECT_EQ(std::u16string(state.lastPrinterName), u"VEXO_80(1)");

  for (int n = 3; n <= 127; ++n) {
    spooler.printers.push_back(Printer(u"VEXO_80(" + Decimal(n) + u")", u"VEXO_80"));
  }
  spooler.calls.clear();
  EXPECT_EQ(Run(2, u"COM1:"), 1802);
  EXPECT_EQ(Outcome(), u"Fail to add printer. -- ERROR CODE = 1802");
  const auto attempts = SpoolerCalls("AddPrinterW");
  ASSERT_EQ(attempts.size(), 128u);
  EXPECT_EQ(attempts.back(), PrinterCall("VEXO_80(127)", "COM1:"));
  // The earlier success still names the last printer made.
  EXPECT_EQ(std::u16string(state.lastPrinterName), u"VEXO_80(1)");
}

TEST_F(InstallTest, DriverFailuresReportTheDriverStage) {
  // A driver file missing from the wizard's folder: the copy fails silently,
  // the registration reports it.
  disk.files.erase(u"C:\\Kit\\VEXO_80.DAT");
  EXPECT_EQ(Run(2, u"COM1:"), 2);
  EXPECT_EQ(state.stage, STAGE_DRIVER);
  EXPECT_EQ(Outcome(), u"Fail to install driver. -- ERROR CODE = 2");
  EXPECT_TRUE(SpoolerCalls("AddPrinterW").empty());

  spooler.FailNext("AddPrinterDriverW", 5);
  EXPECT_EQ(Run(2, u"COM1:"), 5);
  EXPECT_EQ(Outcome(), u"Fail to install driver.Please run this program as an administrator.");
  spooler.FailNext("AddPrinterDriverW", 1796);
  EXPECT_EQ(Run(2, u"COM1:"), 1796);
  EXPECT_EQ(Outcome(), u"Fail to install driver.Please connect the printer USB to the computer and turn on the power.");
}

TEST_F(InstallTest, ChineseOutcomeTexts) {
  UseLanguage(0x0804);
  EXPECT_EQ(Run(2, u"COM1:"), 0);
  EXPECT_EQ(Outcome(), u"VEXO_80已安装.");
  EXPECT_EQ(Run(2, u"USB009"), 1796);
  EXPECT_EQ(Outcome(), u"打印机添加失败。请将打印机USB连接到电脑上并打开电源。");
  spooler.FailNext("AddPrinterW", 7);
  EXPECT_EQ(Run(2, u"COM1:"), -1);
  EXPECT_EQ(Outcome(), u"打印机添加失败。 -- ERROR CODE = -1");
  spooler.drivers.clear();
  spooler.FailNext("AddPrinterDriverW", 5);
  EXPECT_EQ(Run(2, u"COM1:"), 5);
  EXPECT_EQ(Outcome(), u"打印驱动安装失败。请以管理员身份运行此程序。");
  spooler.FailNext("AddPrinterDriverW", 1796);
  EXPECT_EQ(Run(2, u"COM1:"), 1796);
  EXPECT_EQ(Outcome(), u"打印驱动安装失败。请将打印机USB连接到电脑上并打开电源。");
  spooler.FailNext("AddPrinterDriverW", 87);
  EXPECT_EQ(Run(2, u"COM1:"), 87);
  EXPECT_EQ(Outcome(), u"打印驱动安装失败。 -- ERROR CODE = 87");
}

TEST_F(InstallTest, NoDriverDirectoryCopiesNothingAndTheRegistrationDecides) {
  spooler.FailNext("GetPrinterDriverDirectoryW", 5);
  EXPECT_EQ(Run(2, u"COM1:"), 2);
  EXPECT_TRUE(disk.calls.empty());
}

TEST_F(InstallTest, WithoutTheProgramFolderNothingIsCopiedFromTheCurrentFolder) {
  system.moduleFileName = u"";
  EXPECT_EQ(Run(2, u"COM1:"), 2);
  EXPECT_TRUE(disk.calls.empty());
}

}  // namespace
}  // namespace quispor::testing
