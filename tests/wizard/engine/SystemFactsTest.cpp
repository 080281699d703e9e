#include "wizard/engine/SystemFacts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/DebugLog.h"
#include "wizard/engine/ModelCatalogue.h"

namespace quispor {
namespace {

using kit::fakes::FakeSpooler;
using kit::fakes::FakeSystemInfo;

TEST(IsNative64BitTest, AmdAndItaniumAreSixtyFourBitArmAndIntelAreNot) {
  const struct {
    uint16_t architecture;
    bool expected;
  } cases[] = {{9, true}, {6, true}, {12, false}, {0, false}, {5, false}, {0xFFFF, false}};
  for (const auto& c : cases) {
    FakeSystemInfo system;
    system.nativeArchitecture = c.architecture;
    system.reportedArchitecture = 0;
    EXPECT_EQ(IsNative64Bit(system), c.expected) << c.architecture;
    EXPECT_EQ(system.calls, (std::vector<std::string>{"GetModuleHandleW(\"kernel32\")",
                                                      "GetProcAddress(kernel32, \"GetNativeSystemInfo\")",
                                                      "GetNativeSystemInfo"}));
  }
}

TEST(IsNative64BitTest, WithoutGetNativeSystemInfoAsksGetSystemInfoEveryTime) {
  FakeSystemInfo system;
  system.exportsGetNativeSystemInfo = false;
  system.nativeArchitecture = 9;
  system.reportedArchitecture = 0;
  EXPECT_FALSE(IsNative64Bit(system));
  system.reportedArchitecture = 9;
  EXPECT_TRUE(IsNative64Bit(system));
  EXPECT_EQ(system.calls, (std::vector<std::string>{
                              "GetModuleHandleW(\"kernel32\")", "GetProcAddress(kernel32, \"GetNativeSystemInfo\")",
                              "GetSystemInfo", "GetModuleHandleW(\"kernel32\")",
                              "GetProcAddress(kernel32, \"GetNativeSystemInfo\")", "GetSystemInfo"}));
}

TEST(DriverDirectoryTest, EnvironmentNames) {
  EXPECT_EQ(std::u16string(DriverEnvironmentName(true)), u"Windows x64");
  EXPECT_EQ(std::u16string(DriverEnvironmentName(false)), u"Windows NT x86");
}

TEST(DriverDirectoryTest, TwoCallQueryGivesTheEnvironmentsDirectory) {
  FakeSpooler spooler;
  auto x64 = GetDriverDirectory(spooler, true);
  ASSERT_NE(x64, nullptr);
  EXPECT_EQ(std::u16string(x64.get()), u"C:\\Windows\\system32\\spool\\DRIVERS\\x64");
  const std::string sizeBytes = std::to_string((std::u16string(x64.get()).size() + 1) * 2);
  EXPECT_EQ(spooler.calls,
            (std::vector<std::string>{
                "GetPrinterDriverDirectoryW(server=null, environment=\"Windows x64\", level=1, buffer=null, cb=0)",
                "GetPrinterDriverDirectoryW(server=null, environment=\"Windows x64\", level=1, buffer=set, cb=" +
                    sizeBytes + ")"}));
  auto x86 = GetDriverDirectory(spooler, false);
  ASSERT_NE(x86, nullptr);
  EXPECT_EQ(std::u16string(x86.get()), u"C:\\Windows\\system32\\spool\\DRIVERS\\W32X86");
}

TEST(DriverDirectoryTest, FailuresGiveNull) {
  FakeSpooler spooler;
  spooler.FailNext("GetPrinterDriverDirectoryW", 1722);  // no size learned: no second call
  EXPECT_EQ(GetDriverDirectory(spooler, true), nullptr);
  EXPECT_EQ(spooler.calls.size(), 1u);
  spooler.FailNext("GetPrinterDriverDirectoryW", 0);
  spooler.FailNext("GetPrinterDriverDirectoryW", 5);
  EXPECT_EQ(GetDriverDirectory(spooler, true), nullptr);
  EXPECT_EQ(spooler.calls.size(), 3u);
}

class ProgramFolderTest : public ::testing::Test {
 protected:
  ProgramFolderTest() { std::fill(std::begin(buffer_), std::end(buffer_), u'#'); }
  std::u16string Folder() {
    GetProgramFolder(system_, buffer_);
    for (std::size_t i = kProgramFolderCapacity; i < std::size(buffer_); ++i) {
      EXPECT_EQ(buffer_[i], u'#') << "written beyond the buffer at " << i;
    }
    return buffer_;
  }
  FakeSystemInfo system_;
  char16_t buffer_[kProgramFolderCapacity + 8];
};

TEST_F(ProgramFolderTest, KeepsThePathUpToItsLastBackslash) {
  system_.moduleFileName = u"C:\\Kit\\setup.exe";
  EXPECT_EQ(Folder(), u"C:\\Kit\\");
  EXPECT_EQ(system_.calls, (std::vector<std::string>{"GetModuleFileNameW(null, 259)"}));
  system_.moduleFileName = u"C:\\Program Files\\Vexo\\Driver\\Quispor.exe";
  EXPECT_EQ(Folder(), u"C:\\Program Files\\Vexo\\Driver\\");
}

TEST_F(ProgramFolderTest, PathsThatCannotBeHadWholeGiveAnEmptyFolder) {
  system_.moduleFileName = u"C:\\" + std::u16string(300, u'k') + u"\\setup.exe";
  EXPECT_EQ(Folder(), u"");
  system_.moduleFileName = u"C:\\" + std::u16string(254, u'k') + u"\\a.exe";  // 264: cut
  EXPECT_EQ(Folder(), u"");
  system_.moduleFileName = u"C:\\" + std::u16string(248, u'k') + u"\\a.exe";  // 258: whole
  EXPECT_EQ(Folder(), u"C:\\" + std::u16string(248, u'k') + u"\\");
  system_.moduleFileName = u"";
  EXPECT_EQ(Folder(), u"");
}

class ManageAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindDebugLog(codePage_, files_);
    files_.File(kDebugFlagPath);
  }
  void TearDown() override { UnbindDebugLog(); }
  std::string Log() { return files_.Exists(kDebugLogPath) ? files_.File(kDebugLogPath).bytes : ""; }

  kit::fakes::FakeWizardRegistry registry_;
  kit::fakes::FakeCodePage codePage_;
  kit::fakes::FakeCrtFiles files_;
};

constexpr char kProbeCall[] =
    "RegCreateKeyExW(HKLM, \"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\"
    "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\", reserved=0, class=null, options=0, sam=0xF003F, "
    "security=null, disposition=null)";

TEST_F(ManageAccessTest, GrantedAccessOpensClosesAndLogsNothing) {
  EXPECT_EQ(CheckIsManageAccess(registry_), 0u);
  EXPECT_EQ(registry_.calls, (std::vector<std::string>{kProbeCall, "RegCloseKey(0x1000)"}));
  EXPECT_EQ(registry_.OpenHandles(), 0u);
  EXPECT_TRUE(registry_.KeyExists(
      "HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}"));
  EXPECT_EQ(Log(), "");
}

TEST_F(ManageAccessTest, RefusedAccessReturnsTheCodeAndLogsOneLine) {
  registry_.createResult = 5;
  EXPECT_EQ(CheckIsManageAccess(registry_), 5u);
  EXPECT_EQ(registry_.calls, (std::vector<std::string>{kProbeCall}));
  EXPECT_EQ(Log(),
            "CheckIsManageAccess:: RegCreateKeyEx Fail,err=5,path=SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\"
            "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\r\r\n\r\n");
  registry_.createResult = 1450;
  files_.File(kDebugLogPath).bytes.clear();
  EXPECT_EQ(CheckIsManageAccess(registry_), 1450u);
  EXPECT_NE(Log().find("err=1450,path="), std::string::npos);
}

TEST(ModelCatalogueTest, FourModelsWithTheirDriverFiles) {
  const char16_t* names[] = {u"VEXO_216", u"VEXO_PRINTER", u"VEXO_80", u"VEXO_58"};
  for (uint16_t i = 0; i < modelCount; ++i) {
    const PrinterModel& m = ModelCatalogue[i];
    EXPECT_EQ(std::u16string(m.name), names[i]);
    EXPECT_EQ(std::u16string(m.hardwareId), u"NONE");
    EXPECT_EQ(std::u16string(m.infName), u"NONE.inf");
    EXPECT_EQ(m.resolutionDpi, 203);
    EXPECT_EQ(m.usbVendorId, 0x0FE6);
    EXPECT_EQ(m.usbProductId, 0x811E);
    EXPECT_EQ(std::u16string(m.driverFiles[0]), u"VEXO_Printer_Render.dll");
    EXPECT_EQ(std::u16string(m.driverFiles[1]), u"VEXO_Printer_UI.dll");
    EXPECT_EQ(std::u16string(m.driverFiles[2]), std::u16string(names[i]) + u".DAT");
    for (int slot = 3; slot < kDriverFileSlots; ++slot) {
      EXPECT_EQ(m.driverFiles[slot][0], u'\0');
    }
  }
}

}  // namespace
}  // namespace quispor
