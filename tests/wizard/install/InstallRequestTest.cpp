// The request built from the user's choices, and its 64-bit file names.
#include <gtest/gtest.h>

#include <string>

#include "wizard/engine/install/Install.h"

namespace quispor {
namespace {

TEST(InstallRequestTest, FilledFromTheChoicesAndTheCatalogueRow) {
  const InstallRequest request = BuildInstallRequest(true, 3, u"VEXO_58", u"USB001");
  EXPECT_EQ(request.setAsDefault, 1);
  EXPECT_EQ(std::u16string(request.driverName), u"VEXO_58");
  EXPECT_EQ(std::u16string(request.printerName), u"VEXO_58");
  EXPECT_EQ(std::u16string(request.portName), u"USB001");
  EXPECT_EQ(std::u16string(request.driverFiles[0]), u"VEXO_Printer_Render.dll");
  EXPECT_EQ(std::u16string(request.driverFiles[1]), u"VEXO_Printer_UI.dll");
  EXPECT_EQ(std::u16string(request.driverFiles[2]), u"VEXO_58.DAT");
  for (int slot = 3; slot < kDriverFileSlots; ++slot) {
    EXPECT_EQ(request.driverFiles[slot][0], u'\0') << slot;
  }
  EXPECT_EQ(BuildInstallRequest(false, 0, u"VEXO_216", u"COM1:").setAsDefault, 0);
}

TEST(InstallRequestTest, LongTextsAreCutToTheirFields) {
  const std::u16string longName(300, u'P');
  const InstallRequest request = BuildInstallRequest(true, 9, longName.c_str(), longName.c_str());
  EXPECT_EQ(std::u16string(request.driverName), longName.substr(0, 63));
  EXPECT_EQ(std::u16string(request.portName), longName.substr(0, 63));
  // An index beyond the catalogue names no files.
  EXPECT_EQ(request.driverFiles[0][0], u'\0');
}

TEST(ApplyX64FileNamesTest, OnlyTheTwoModulesGetTheirSixtyFourBitNames) {
  InstallRequest request = BuildInstallRequest(true, 2, u"VEXO_80", u"COM1:");
  ApplyX64FileNames(request);
  EXPECT_EQ(std::u16string(request.driverFiles[0]), u"VEXO_Printer_Render_64.dll");
  EXPECT_EQ(std::u16string(request.driverFiles[1]), u"VEXO_Printer_UI_64.dll");
  EXPECT_EQ(std::u16string(request.driverFiles[2]), u"VEXO_80.DAT");
}

TEST(ApplyX64FileNamesTest, FirstDllInAnyCaseAndNamesWithoutOne) {
  InstallRequest request;
  std::u16string a = u"Render.DLL.dll";
  std::u16string b = u"ui.module";
  std::copy(a.begin(), a.end(), request.driverFiles[0]);
  std::copy(b.begin(), b.end(), request.driverFiles[1]);
  ApplyX64FileNames(request);
  EXPECT_EQ(std::u16string(request.driverFiles[0]), u"Render_64.dll");
  EXPECT_EQ(std::u16string(request.driverFiles[1]), u"ui.module");
  // A 64-bit name that would not fit the field leaves the name alone.
  InstallRequest full;
  const std::u16string longName = std::u16string(59, u'x') + u".dll";
  std::copy(longName.begin(), longName.end(), full.driverFiles[0]);
  ApplyX64FileNames(full);
  EXPECT_EQ(std::u16string(full.driverFiles[0]), longName);
}

TEST(ComposeInstallOutcomeTest, ResultTextsAreCutToTheBuffer) {
  char16_t outcome[kOutcomeCapacity];
  std::fill(std::begin(outcome), std::end(outcome), u'#');
  const std::u16string longName(300, u'N');
  ComposeInstallOutcome(0, STAGE_PRINTER, longName.c_str(), outcome);
  EXPECT_EQ(std::u16string(outcome).size(), kOutcomeCapacity - 1);
}

}  // namespace
}  // namespace quispor
