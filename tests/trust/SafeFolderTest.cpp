#include "trust/SafeFolder.h"

#include <gtest/gtest.h>

#include "tests/fakes/trust/FakeFolders.h"
#include "tests/fakes/trust/Sddl.h"

namespace {

using kit::fakes::FakeFolders;
using kit::trust::PrepareProgramDataFolder;
using kit::trust::WhyNotUsable;

// What a standard user's CreateDirectory under ProgramData leaves: the
// user owns it and has full control.
constexpr char16_t kMadeByAUser[] =
    u"O:S-1-5-21-1-2-3-1001D:AI(A;ID;FA;;;S-1-5-21-1-2-3-1001)(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)"
    u"(A;OICIID;0x1200a9;;;BU)";

TEST(SafeFolderTest, AMissingFolderIsMadeWithTheProtectedDaclAndPassesTheCheckAfterwards) {
  FakeFolders disk;
  const kit::trust::SafeFolder folder = PrepareProgramDataFolder(disk, {u"Vantrel", u"Backups"});
  ASSERT_TRUE(folder.usable()) << std::string(WhyNotUsable(folder).begin(), WhyNotUsable(folder).end());
  EXPECT_EQ(folder.path, u"C:\\ProgramData\\Vantrel\\Backups");
  const auto made = disk.items.at(u"C:\\ProgramData\\Vantrel\\Backups").security;
  EXPECT_EQ(made.dacl.size(), 3u);
  // Made by the program: used again on the next run.
  EXPECT_TRUE(PrepareProgramDataFolder(disk, {u"vantrel", u"backups"}).usable());
}

TEST(SafeFolderTest, AFolderAUserMadeOrLinkedIsNeverUsedAndNothingIsMadeInIt) {
  FakeFolders planted;
  planted.Put(u"C:\\ProgramData\\Quispor", kMadeByAUser);
  const kit::trust::SafeFolder owned = PrepareProgramDataFolder(planted, {u"Quispor", u"Logs"});
  EXPECT_FALSE(owned.usable());
  EXPECT_EQ(WhyNotUsable(owned),
            u"C:\\ProgramData\\Quispor is owned by S-1-5-21-1-2-3-1001, who is not an administrator");
  EXPECT_EQ(planted.items.count(u"C:\\ProgramData\\Quispor\\Logs"), 0u);

  // A junction: Windows reports the reparse point on the link itself,
  // whoever owns its target.
  FakeFolders linked;
  linked.Put(u"C:\\ProgramData\\Quispor", u"O:SYD:P(A;OICI;FA;;;SY)", FakeFolders::kDirectory | 0x400);
  const kit::trust::SafeFolder link = PrepareProgramDataFolder(linked, {u"Quispor"});
  EXPECT_FALSE(link.usable());
  EXPECT_EQ(WhyNotUsable(link), u"C:\\ProgramData\\Quispor is a reparse point (a link)");

  FakeFolders changeable;
  changeable.Put(u"C:\\ProgramData\\Quispor", u"O:BAD:(A;OICI;FA;;;SY)(A;OICI;0x1301bf;;;AU)");
  EXPECT_EQ(WhyNotUsable(PrepareProgramDataFolder(changeable, {u"Quispor"})),
            u"C:\\ProgramData\\Quispor can be changed by S-1-5-11, who is not an administrator");
}

TEST(SafeFolderTest, FailuresToFindOrMakeTheFolderAreReportedWithTheirCode) {
  FakeFolders noProgramData;
  noProgramData.programDataError = 2;
  const kit::trust::SafeFolder missing = PrepareProgramDataFolder(noProgramData, {u"Quispor"});
  EXPECT_EQ(missing.error, 2u);
  EXPECT_EQ(WhyNotUsable(missing), u"the ProgramData folder cannot be found: 2");

  FakeFolders fileInTheWay;
  fileInTheWay.Put(u"C:\\ProgramData\\Quispor", u"O:SYD:P(A;;FA;;;SY)", 0x20);
  const kit::trust::SafeFolder file = PrepareProgramDataFolder(fileInTheWay, {u"Quispor"});
  EXPECT_EQ(file.error, 267u);
  EXPECT_EQ(WhyNotUsable(file), u"C:\\ProgramData\\Quispor cannot be made or used: 267");
}

}  // namespace
