#include "trust/FolderCheck.h"

#include <gtest/gtest.h>

#include "tests/fakes/trust/Sddl.h"

namespace {

using kit::fakes::ParseSddl;
using kit::trust::JudgeSecurity;
using kit::trust::Verdict;

// The owner Windows reports for System32, and the one Wine reports for
// every file.
constexpr char16_t kTrustedInstaller[] = u"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr char16_t kWineUser[] = u"S-1-5-21-0-0-0-1000";

struct Case {
  const char* what;
  std::u16string sddl;
  const char16_t* systemDirectoryOwner;
  Verdict verdict;
  std::u16string who;
};

class FolderCheckTest : public ::testing::TestWithParam<Case> {};

TEST_P(FolderCheckTest, JudgesTheAclAsWindowsReadsIt) {
  const Case& c = GetParam();
  const kit::trust::Finding finding = JudgeSecurity(ParseSddl(c.sddl), c.systemDirectoryOwner);
  EXPECT_EQ(finding.verdict, c.verdict) << c.what;
  EXPECT_EQ(finding.who, c.who) << c.what;
}

const std::u16string kTi = kTrustedInstaller;

INSTANTIATE_TEST_SUITE_P(
    Acls, FolderCheckTest,
    ::testing::Values(
        // A folder made directly under C:\ inherits Modify for Authenticated Users.
        Case{"C:\\ subfolder",
             u"O:BAD:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;OICIIOID;GA;;;SY)"
             u"(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)",
             kTrustedInstaller, Verdict::UsersCanChange, u"S-1-5-11"},
        // Program Files: the inherit-only CREATOR OWNER entry grants nothing on the folder.
        Case{"Program Files",
             u"O:" + kTi + u"D:PAI(A;;FA;;;" + kTi + u")(A;CIIO;GA;;;" + kTi +
                 u")(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)(A;OICIIO;GA;;;BA)"
                 u"(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)(A;OICIIO;GXGR;;;AC)",
             kTrustedInstaller, Verdict::Safe, u""},
        Case{"owned by a user", u"O:S-1-5-21-1-2-3-1001D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", kTrustedInstaller,
             Verdict::OwnerNotTrusted, u"S-1-5-21-1-2-3-1001"},
        Case{"deny of write and delete for Users before an allow of Modify",
             u"O:BAD:P(D;;GWSD;;;BU)(A;OICI;FA;;;SY)(A;;0x1301bf;;;BU)", kTrustedInstaller, Verdict::Safe, u""},
        Case{"the same deny after the allow", u"O:BAD:P(A;OICI;FA;;;SY)(A;;0x1301bf;;;BU)(D;;GWSD;;;BU)",
             kTrustedInstaller, Verdict::UsersCanChange, u"S-1-5-32-545"},
        // A deny for one account leaves every other user's allow standing.
        Case{"deny for one user before an allow for Users",
             u"O:BAD:P(D;;FA;;;S-1-5-21-1-2-3-1001)(A;;FW;;;BU)", kTrustedInstaller, Verdict::UsersCanChange,
             u"S-1-5-32-545"},
        Case{"deny for a user before that user's allow",
             u"O:BAD:P(D;;SDWDWOFW;;;S-1-5-21-1-2-3-1001)(A;;FA;;;S-1-5-21-1-2-3-1001)", kTrustedInstaller,
             Verdict::Safe, u""},
        Case{"generic all for Everyone", u"O:SYD:(A;;GA;;;WD)", kTrustedInstaller, Verdict::UsersCanChange,
             u"S-1-1-0"},
        Case{"take ownership alone is a change", u"O:SYD:(A;;WO;;;AU)", kTrustedInstaller, Verdict::UsersCanChange,
             u"S-1-5-11"},
        Case{"a NULL DACL", u"O:BAD:NO_ACCESS_CONTROL", kTrustedInstaller, Verdict::UsersCanChange, u"S-1-1-0"},
        // What Wine reports: its user owns everything, System32 included.
        Case{"Wine folder", u"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)"
                            u"(A;OICI;0x1200a9;;;WD)",
             kWineUser, Verdict::Safe, u""},
        Case{"Wine folder after chmod o+w",
             u"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1301ff;;;WD)",
             kWineUser, Verdict::UsersCanChange, u"S-1-1-0"},
        // The running account is not trusted by its SID: its unelevated processes share it.
        Case{"the Wine user on Windows", u"O:S-1-5-21-0-0-0-1000D:(A;;FA;;;SY)", kTrustedInstaller,
             Verdict::OwnerNotTrusted, u"S-1-5-21-0-0-0-1000"}));

}  // namespace
