// The wizard's choice page once a printer of the maker's models is in Wine's
// spooler. A binary of its own, as the printer stays in its prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/wizard/MakerPrinters.h"
#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

constexpr int kInstall = 1022, kUninstall = 1023, kUninstallInfo = 1025, kModelList = 1039;

// Driver VEXO_80 and a printer of it on LPT1:.
::testing::AssertionResult AddVexo80Printer() {
  ::testing::AssertionResult driver = AddDriverVexo80();
  if (!driver) return driver;
  return AddPrinterOfVexo80(L"VEXO_80");
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
