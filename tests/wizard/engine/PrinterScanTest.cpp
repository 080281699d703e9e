#include "wizard/engine/PrinterScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeSpooler.h"

namespace quispor {
namespace {

using kit::fakes::FakePrinter;
using kit::fakes::FakeSpooler;

std::vector<std::u16string> Names(const InstalledPrinter& record) {
  std::vector<std::u16string> names;
  for (const PrinterNameField& name : record.printerNames) {
    names.emplace_back(name.data());
  }
  return names;
}

class PrinterScanTest : public ::testing::Test {
 protected:
  void Add(std::u16string printer, std::u16string driver) {
    FakePrinter p;
    p.name = std::move(printer);
    p.driver = std::move(driver);
    spooler_.printers.push_back(p);
  }
  void Scan() { ScanInstalledPrinters(spooler_, ModelCatalogue, modelCount, list_); }

  FakeSpooler spooler_;
  InstalledPrinterList list_;
};

TEST_F(PrinterScanTest, PrintersGroupByCatalogueDriverInEnumerationOrder) {
  Add(u"Office laser", u"HP Universal Printing PCL 6");
  Add(u"VEXO_80", u"VEXO_80");
  Add(u"Front desk", u"VEXO_58");
  Add(u"VEXO_80(1)", u"VEXO_80");
  Scan();
  ASSERT_EQ(list_.count, 2);
  ASSERT_EQ(list_.records.size(), 2u);
  EXPECT_EQ(std::u16string(list_.records[0].driverName), u"VEXO_80");
  EXPECT_EQ(Names(list_.records[0]), (std::vector<std::u16string>{u"VEXO_80", u"VEXO_80(1)"}));
  EXPECT_EQ(list_.records[0].printerCount, 2u);
  EXPECT_EQ(std::u16string(list_.records[1].driverName), u"VEXO_58");
  EXPECT_EQ(Names(list_.records[1]), (std::vector<std::u16string>{u"Front desk"}));
  EXPECT_EQ(list_.records[1].printerCount, 1u);
}

TEST_F(PrinterScanTest, EnumeratesLocalAndConnectedPrintersWithAnEmptyNameInTwoCalls) {
  Add(u"VEXO_80", u"VEXO_80");
  Scan();
  ASSERT_EQ(spooler_.calls.size(), 2u);
  EXPECT_EQ(spooler_.calls[0], "EnumPrintersW(flags=6, name=\"\", level=2, buffer=null, cb=0)");
  EXPECT_EQ(spooler_.calls[1].rfind("EnumPrintersW(flags=6, name=\"\", level=2, buffer=set, cb=", 0), 0u);
  EXPECT_NE(spooler_.calls[1], "EnumPrintersW(flags=6, name=\"\", level=2, buffer=set, cb=0)");
}

TEST_F(PrinterScanTest, DriverNamesMatchWithoutAsciiCaseAndKeepTheFirstSpelling) {
  Add(u"Kitchen", u"vexo_80");
  Add(u"Bar", u"VEXO_80");
  Add(u"Till", u"Vexo_216");
  Scan();
  ASSERT_EQ(list_.count, 2);
  EXPECT_EQ(std::u16string(list_.records[0].driverName), u"vexo_80");
  EXPECT_EQ(Names(list_.records[0]), (std::vector<std::u16string>{u"Kitchen", u"Bar"}));
  EXPECT_EQ(std::u16string(list_.records[1].driverName), u"Vexo_216");
}

TEST_F(PrinterScanTest, OnlyWholeNamesMatch) {
  Add(u"A", u"VEXO_80 Plus");
  Add(u"B", u"VEXO_8");
  Add(u"C", u" VEXO_80");
  Add(u"D", u"VEXO_80\u0130");
  Add(u"E", u"");
  Scan();
  EXPECT_EQ(list_.count, 0);
  EXPECT_TRUE(list_.records.empty());
}

TEST_F(PrinterScanTest, NoPrintersGiveAnEmptyListAndTheListStartsEmpty) {
  list_.records.resize(3);
  list_.count = 3;
  Scan();
  EXPECT_EQ(list_.count, 0);
  EXPECT_TRUE(list_.records.empty());
  EXPECT_EQ(spooler_.calls, (std::vector<std::string>{"EnumPrintersW(flags=6, name=\"\", level=2, buffer=null, cb=0)"}));
}

TEST_F(PrinterScanTest, FailedEnumerationsLeaveTheListEmpty) {
  Add(u"VEXO_80", u"VEXO_80");
  spooler_.FailNext("EnumPrintersW", 1722);
  Scan();
  EXPECT_EQ(list_.count, 0);
  // A printer added between the two calls makes the second one too small.
  spooler_.FailNext("EnumPrintersW", 0);
  spooler_.FailNext("EnumPrintersW", 122);
  Scan();
  EXPECT_EQ(list_.count, 0);
  Scan();
  EXPECT_EQ(list_.count, 1);
}

TEST_F(PrinterScanTest, MoreThanThirtyTwoPrintersOnOneDriverAreAllKept) {
  for (int i = 0; i < 40; ++i) {
    Add(u"VEXO_58(" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u")" +
            std::u16string(static_cast<std::size_t>(i / 26), u'+'),
        u"VEXO_58");
  }
  Scan();
  ASSERT_EQ(list_.count, 1);
  EXPECT_EQ(list_.records[0].printerCount, 40u);
  ASSERT_EQ(list_.records[0].printerNames.size(), 40u);
  EXPECT_EQ(std::u16string(list_.records[0].printerNames[39].data()), u"VEXO_58(N)+");
}

TEST_F(PrinterScanTest, LongPrinterNamesAreCutTo63Characters) {
  Add(std::u16string(100, u'p'), u"VEXO_80");
  Scan();
  ASSERT_EQ(list_.count, 1);
  EXPECT_EQ(std::u16string(list_.records[0].printerNames[0].data()), std::u16string(63, u'p'));
}

TEST_F(PrinterScanTest, RowsLimitTheMatch) {
  Add(u"Front desk", u"VEXO_58");
  ScanInstalledPrinters(spooler_, ModelCatalogue, 3, list_);  // without VEXO_58
  EXPECT_EQ(list_.count, 0);
  ScanInstalledPrinters(spooler_, nullptr, 0, list_);
  EXPECT_EQ(list_.count, 0);
}

class DriverInstalledTest : public ::testing::Test {
 protected:
  void AddDriver(std::u16string name, std::u16string environment = u"Windows x64") {
    spooler_.drivers.push_back({std::move(name), std::move(environment)});
  }
  FakeSpooler spooler_;
};

TEST_F(DriverInstalledTest, FindsTheDriverWithoutAsciiCase) {
  AddDriver(u"Microsoft XPS Document Writer v4");
  AddDriver(u"Vexo_58");
  EXPECT_TRUE(IsDriverInstalled(spooler_, u"VEXO_58"));
  EXPECT_FALSE(IsDriverInstalled(spooler_, u"VEXO_5"));
  EXPECT_FALSE(IsDriverInstalled(spooler_, u"VEXO_80"));
  ASSERT_GE(spooler_.calls.size(), 2u);
  EXPECT_EQ(spooler_.calls[0], "EnumPrinterDriversW(server=null, environment=null, level=1, buffer=null, cb=0)");
  EXPECT_EQ(spooler_.calls[1].rfind("EnumPrinterDriversW(server=null, environment=null, level=1, buffer=set, cb=", 0),
            0u);
}

TEST_F(DriverInstalledTest, NoDriversMeansNotInstalledAfterOneCall) {
  EXPECT_FALSE(IsDriverInstalled(spooler_, u"VEXO_58"));
  EXPECT_EQ(spooler_.calls.size(), 1u);
}

TEST_F(DriverInstalledTest, OnlyTheRunningProgramsEnvironmentCounts) {
  AddDriver(u"VEXO_58", u"Windows NT x86");
  EXPECT_FALSE(IsDriverInstalled(spooler_, u"VEXO_58"));
}

TEST_F(DriverInstalledTest, MoreThanSixtyFourDriversAreAllSearched) {
  for (int i = 0; i < 100; ++i) {
    AddDriver(u"Generic driver " + std::u16string(static_cast<std::size_t>(i + 1), u'#'));
  }
  AddDriver(u"VEXO_80");
  EXPECT_TRUE(IsDriverInstalled(spooler_, u"vexo_80"));
}

TEST_F(DriverInstalledTest, LongDriverNamesAreComparedWhole) {
  const std::u16string longName(70, u'v');
  AddDriver(longName);
  EXPECT_FALSE(IsDriverInstalled(spooler_, std::u16string(63, u'v').c_str()));
  EXPECT_TRUE(IsDriverInstalled(spooler_, longName.c_str()));
}

TEST_F(DriverInstalledTest, FailedEnumerationMeansNotInstalled) {
  AddDriver(u"VEXO_58");
  spooler_.FailNext("EnumPrinterDriversW", 0);
  spooler_.FailNext("EnumPrinterDriversW", 5);
  EXPECT_FALSE(IsDriverInstalled(spooler_, u"VEXO_58"));
}

}  // namespace
}  // namespace quispor
