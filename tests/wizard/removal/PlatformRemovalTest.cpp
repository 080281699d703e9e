// The removal as the wizard starts it, on a whole platform set: each service
// reaches the step that uses it, the device re-enumeration included.
#include "wizard/removal/PlatformRemoval.h"

#include <gtest/gtest.h>

#include "tests/fakes/wizard/FakeDisk.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "tests/wizard/removal/RemovalFixture.h"

namespace quispor::removal::test {
namespace {

TEST_F(RemovalFixture, ThePlatformsServicesCarryTheWholeRemoval) {
  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSystemInfo system;
  kit::fakes::FakeDisk disk;
  kit::fakes::FakeUserMessages messages;
  platform::Platform platform{spooler_, registry,  system,    files_,  codePage_,  disk,
                              devices_, messages, services_, search_, processes_};
  AddDriver(u"VEXO_80");
  AddPrinter(u"VEXO_80", u"VEXO_80");
  AddInf(u"C:\\Windows\\inf\\oem4.inf", "VEXO_80.DAT");
  kit::fakes::RecordingReport report;
  EXPECT_EQ(RunUninstall(platform, report), 0u);
  EXPECT_EQ(report.Last(), u"The printer driver deletion is complete.");
  EXPECT_TRUE(spooler_.printers.empty());
  EXPECT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(devices_.reenumerations, 1u);
}

}  // namespace
}  // namespace quispor::removal::test
