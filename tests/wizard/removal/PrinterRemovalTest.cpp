#include "wizard/removal/PrinterRemoval.h"

#include <algorithm>

#include "tests/wizard/removal/RemovalFixture.h"

namespace quispor::removal::test {
namespace {

using kit::fakes::FakeSpooler;

constexpr char kSizeQuery[] = "EnumPrintersW(flags=6, name=\"\", level=2, buffer=null, cb=0)";

class PrinterRemovalTest : public RemovalFixture {
 protected:
  PrinterNameList Collect(const char16_t* driver, uint32_t expected = 0) {
    PrinterNameList list;
    list.names = {u"stale"};
    list.count = 1;
    EXPECT_EQ(GetPrinterByDriverName(spooler_, driver, list), expected);
    EXPECT_EQ(list.count, static_cast<int32_t>(list.names.size()));
    return list;
  }
  long Count(const std::string& call) {
    return std::count_if(spooler_.calls.begin(), spooler_.calls.end(),
                         [&](const std::string& c) { return c.rfind(call, 0) == 0; });
  }
};

TEST_F(PrinterRemovalTest, CollectsPrintersWhoseDriverMatchesExactlyInEnumerationOrder) {
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddPrinter(u"Front desk", u"VEXO_58");
  AddPrinter(u"lower", u"vexo_80");
  AddPrinter(u"VEXO_80(1)", u"VEXO_80");
  AddPrinter(u"Plus", u"VEXO_80 Plus");
  const PrinterNameList list = Collect(u"VEXO_80");
  EXPECT_EQ(list.names, (std::vector<std::u16string>{u"VEXO_80", u"VEXO_80(1)"}));
  ASSERT_EQ(spooler_.calls.size(), 2u);
  EXPECT_EQ(spooler_.calls[0], kSizeQuery);
  EXPECT_EQ(Collect(u"vexo_80").names, (std::vector<std::u16string>{u"lower"}));
  EXPECT_EQ(Log(), "");
}

TEST_F(PrinterRemovalTest, EveryPrinterOfADriverIsCollectedBeyondOneHundredTwentyEight) {
  for (int i = 0; i < 129; ++i) {
    AddPrinter(u"P" + Decimal(i), u"VEXO_80");
  }
  const PrinterNameList list = Collect(u"VEXO_80");
  ASSERT_EQ(list.count, 129);
  EXPECT_EQ(list.names.back(), u"P128");
}

TEST_F(PrinterRemovalTest, EnumerationFailuresAndAnEmptySpooler) {
  EXPECT_TRUE(Collect(u"VEXO_80").names.empty());  // nothing installed: one call
  EXPECT_EQ(spooler_.calls, (std::vector<std::string>{kSizeQuery}));
  AddPrinter(u"VEXO_80", u"VEXO_80");
  spooler_.FailNext("EnumPrintersW", 1722);
  EXPECT_TRUE(Collect(u"VEXO_80", 1722).names.empty());
  EXPECT_EQ(Log(), Stored({"GetPrinterByDriverName:: EnumPrinters Fail\r\n"}));
  ClearLog();
  spooler_.FailNext("EnumPrintersW", 0);
  spooler_.FailNext("EnumPrintersW", 1722);
  EXPECT_TRUE(Collect(u"VEXO_80", 1722).names.empty());
  EXPECT_EQ(Log(), "");
}

TEST_F(PrinterRemovalTest, JobsScanOpensEachPrinterWithFullAccessAndReadsItsJobCount) {
  AddPrinter(u"A", u"VEXO_80");
  AddPrinter(u"B", u"VEXO_80");
  PrinterNameList list = Collect(u"VEXO_80");
  spooler_.calls.clear();
  GetJobsByName(spooler_, list);
  EXPECT_EQ(spooler_.calls[0], "OpenPrinterW(name=\"A\", datatype=null, devmode=null, access=0xf000c)");
  EXPECT_EQ(spooler_.calls[1], "EnumJobsW(0x1000, first=0, count=4294967295, level=3, buffer=null, cb=0)");
  EXPECT_EQ(spooler_.calls[2], "GetPrinterW(0x1000, level=2, buffer=null, cb=0)");
  EXPECT_EQ(spooler_.calls[3].rfind("GetPrinterW(0x1000, level=2, buffer=set, cb=", 0), 0u);
  EXPECT_EQ(spooler_.calls[4], "ClosePrinter(0x1000)");
  EXPECT_EQ(Count("OpenPrinterW"), 2);
  EXPECT_EQ(Count("ClosePrinter"), 2);
  EXPECT_EQ(Log(), "");
  EXPECT_TRUE(spooler_.openHandles.empty());
}

TEST_F(PrinterRemovalTest, JobsScanStopsAtThePrinterWithQueuedJobs) {
  AddPrinter(u"A", u"VEXO_80", 2);
  AddPrinter(u"B", u"VEXO_80");
  GetJobsByName(spooler_, Collect(u"VEXO_80"));
  EXPECT_EQ(Log(), Stored({"GetJobsByName:: EnumJobs dwNeed=24,dwItems=0\r\n", "GetJobsByName:: EnumJobs return index\r\n"}));
  EXPECT_EQ(Count("OpenPrinterW"), 1);
  EXPECT_TRUE(spooler_.openHandles.empty());
}

TEST_F(PrinterRemovalTest, JobsScanFailures) {
  AddPrinter(u"A", u"VEXO_80");
  AddPrinter(u"B", u"VEXO_80");
  const PrinterNameList list = Collect(u"VEXO_80");
  spooler_.FailNext("GetPrinterW", 5);  // logged, next printer
  GetJobsByName(spooler_, list);
  EXPECT_EQ(Log(), Stored({"GetJobsByName:: GetPrinter erro=5\r\n"}));
  EXPECT_EQ(Count("OpenPrinterW"), 2);
  ClearLog();
  spooler_.FailNext("EnumJobsW", 6);  // closed first, then logged; stop
  GetJobsByName(spooler_, list);
  EXPECT_EQ(Log(), Stored({"GetJobsByName:: EnumJobs Fail\r\n"}));
  EXPECT_EQ(Count("OpenPrinterW"), 3);
  ClearLog();
  spooler_.deniedPrinters = {u"A"};
  GetJobsByName(spooler_, list);
  EXPECT_EQ(Log(), Stored({"GetJobsByName:: OpenPrinter Fail\r\n"}));
  EXPECT_EQ(Count("OpenPrinterW"), 4);
  EXPECT_TRUE(spooler_.openHandles.empty());
}

TEST_F(PrinterRemovalTest, FormScanDecidesOnTheSizeQueryAndSoCollectsNoForm) {
  AddPrinter(u"A", u"VEXO_80");
  FormNameList forms;
  forms.names = {u"stale"};
  forms.count = 1;
  GetMyForms(spooler_, u"A", forms);
  EXPECT_EQ(forms.count, 0);
  EXPECT_TRUE(forms.names.empty());
  EXPECT_EQ(spooler_.calls, (std::vector<std::string>{
                                "OpenPrinterW(name=\"A\", datatype=null, devmode=null, access=0xf000c)",
                                "EnumFormsW(0x1000, level=1, buffer=null, cb=0)", "ClosePrinter(0x1000)"}));
  EXPECT_EQ(Log(), Stored({"GetMyForms:: formNum zero\r\n"}));
  ClearLog();
  spooler_.FailNext("EnumFormsW", 6);
  GetMyForms(spooler_, u"A", forms);
  EXPECT_EQ(Log(), Stored({"GetMyForms:: EnumJobs Fail\r\n"}));
  ClearLog();
  GetMyForms(spooler_, u"missing", forms);
  EXPECT_EQ(Log(), Stored({"GetMyForms:: OpenPrinter Fail\r\n"}));
  EXPECT_EQ(spooler_.forms.size(), 3u);
  EXPECT_TRUE(spooler_.openHandles.empty());
}

TEST_F(PrinterRemovalTest, DeletesEachPrinterAndTriesItsConnection) {
  AddPrinter(u"A", u"VEXO_80");
  AddPrinter(u"B", u"VEXO_80");
  const PrinterNameList list = Collect(u"VEXO_80");
  spooler_.calls.clear();
  EXPECT_EQ(DeleteMyPrinters(spooler_, list, FormNameList{}), 0u);
  EXPECT_EQ(spooler_.calls, (std::vector<std::string>{
                                "OpenPrinterW(name=\"A\", datatype=null, devmode=null, access=0xf000c)",
                                "DeletePrinter(0x1000)", "DeletePrinterConnectionW(\"A\")", "ClosePrinter(0x1000)",
                                "OpenPrinterW(name=\"B\", datatype=null, devmode=null, access=0xf000c)",
                                "DeletePrinter(0x1004)", "DeletePrinterConnectionW(\"B\")", "ClosePrinter(0x1004)"}));
  EXPECT_TRUE(spooler_.printers.empty());
  // A local printer has no connection of its name.
  EXPECT_EQ(Log(), Stored({"DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n"}));
}

TEST_F(PrinterRemovalTest, FormsGoThroughTheFirstPrinterOnlyAndFailuresDoNotStop) {
  AddPrinter(u"A", u"VEXO_80");
  AddPrinter(u"B", u"VEXO_80");
  FormNameList forms;
  forms.names = {u"Letter", u"Nonexistent", u"A4"};
  forms.count = 3;
  EXPECT_EQ(DeleteMyPrinters(spooler_, Collect(u"VEXO_80"), forms), 0u);
  EXPECT_EQ(Count("DeleteFormW(0x1000"), 3);
  EXPECT_EQ(Count("DeleteFormW"), 3);
  EXPECT_EQ(spooler_.forms, (std::vector<std::u16string>{u"Legal"}));
  EXPECT_EQ(Log(), Stored({"DeleteMyPrinters:: DeleteForm Fail\r\n", "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n",
                           "DeleteMyPrinters:: DeletePrinterConnection Fail\r\n"}));
}

TEST_F(PrinterRemovalTest, StopsAtThePrinterThatCannotBeOpenedOrDeletedKeepingEarlierDeletions) {
  AddPrinter(u"A", u"VEXO_80");
  AddPrinter(u"B", u"VEXO_80");
  AddPrinter(u"C", u"VEXO_80");
  const PrinterNameList list = Collect(u"VEXO_80");
  spooler_.deniedPrinters = {u"B"};
  EXPECT_EQ(DeleteMyPrinters(spooler_, list, FormNameList{}), FakeSpooler::kErrorAccessDenied);
  ASSERT_EQ(spooler_.printers.size(), 2u);
  EXPECT_EQ(spooler_.printers[0].name, u"B");
  EXPECT_EQ(Log(), Stored({"DeleteMyPrinters:: DeletePrinterConnection Fail\r\n", "DeleteMyPrinters:: OpenPrinter Fail\r\n"}));
  ClearLog();
  spooler_.deniedPrinters.clear();
  spooler_.FailNext("DeletePrinter", 5);
  EXPECT_EQ(DeleteMyPrinters(spooler_, Collect(u"VEXO_80"), FormNameList{}), 5u);
  EXPECT_EQ(Log(), Stored({"DeleteMyPrinters:: DeletePrinter Fail\r\n"}));
  EXPECT_EQ(spooler_.printers.size(), 2u);
  EXPECT_TRUE(spooler_.openHandles.empty());
}

}  // namespace
}  // namespace quispor::removal::test
