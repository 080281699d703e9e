#include "wizard/removal/PackageCleanup.h"

#include "tests/wizard/removal/RemovalFixture.h"
#include "wizard/removal/InfSearch.h"

namespace quispor::removal::test {
namespace {

constexpr int kVexo80 = 2;
constexpr char16_t kSystemCmd[] = u"C:\\Windows\\system32\\cmd.exe";
constexpr int kVexo58 = 3;
constexpr char kAnsiInf[] =
    "[Version]\r\nSignature=\"$Windows NT$\"\r\n\r\n[VEXO.Files]\r\nVEXO_Printer_UI.dll\r\nVEXO_80.DAT\r\n";

class PackageCleanupTest : public RemovalFixture {
 protected:
  int Contains(const std::u16string& path, int model) {
    return InfContainsModel(files_, codePage_, path.c_str(), model);
  }
  std::u16string Found(int model) {
    char16_t name[kPackageNameCapacity] = {};
    if (GetMyOemInfFile(removal_, name, model) != 1) {
      return u"<none>";
    }
    return name;
  }
};

TEST_F(PackageCleanupTest, InfTextIsSearchedAsAnsiAndAsUtf16) {
  AddInf(u"C:\\Windows\\inf\\oem1.inf", kAnsiInf);                                      // CR LF lines
  AddInf(u"C:\\Windows\\inf\\oem2.inf", "[x]\nVEXO_80.DAT");                            // no CR LF, no end marker
  AddInf(u"C:\\Windows\\inf\\oem3.inf", Utf16("[Version]\r\nVEXO_80.DAT\r\n"));         // UTF-16 with BOM
  AddInf(u"C:\\Windows\\inf\\oem4.inf", Utf16("[Version] VEXO_80.DAT", false));        // UTF-16, no CR LF
  AddInf(u"C:\\Windows\\inf\\oem5.inf", std::string("\0\0\x1A\0VEXO_80.DAT", 15));      // NUL and Ctrl-Z before it
  AddInf(u"C:\\Windows\\inf\\oem6.inf", kAnsiInf, /*readOnly=*/true);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem" + Decimal(i) + u".inf", kVexo80), 1) << i;
  }
  EXPECT_EQ(files_.OpenStreams(), 0u);
}

TEST_F(PackageCleanupTest, InfMatchIsCaseSensitiveModelSpecificAndAligned) {
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "[x]\r\nvexo_80.dat\r\n");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", Utf16("Vexo_80.DAT"));
  AddInf(u"C:\\Windows\\inf\\oem3.inf", "x" + Utf16("VEXO_80.DAT", false));  // UTF-16 text off its alignment
  AddInf(u"C:\\Windows\\inf\\oem4.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem5.inf", "");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem" + Decimal(i) + u".inf", kVexo80), 0) << i;
  }
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem4.inf", kVexo58), 0);
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem4.inf", 4), 0);
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem4.inf", -1), 0);
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem5.inf", kVexo80), 0);
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\missing.inf", kVexo80), 0);
  files_.File("C:\\Windows\\inf\\oem4.inf").heldWithoutSharing = true;
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem4.inf", kVexo80), 0);
  EXPECT_EQ(Contains((u"C:\\" + std::u16string(300, u'x')).c_str(), kVexo80), 0);  // no narrow path fits
  EXPECT_EQ(files_.OpenStreams(), 0u);
}

TEST_F(PackageCleanupTest, TheNameIsFoundAtEitherEndOfTheFileAndNotWhenItIsCut) {
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "VEXO_80.DAT");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", Utf16("VEXO_80.DAT", false));
  AddInf(u"C:\\Windows\\inf\\oem3.inf", "xxVEXO_80.DA");
  AddInf(u"C:\\Windows\\inf\\oem4.inf", Utf16("VEXO_80.DAT", false).substr(0, 21));
  AddInf(u"C:\\Windows\\inf\\oem5.inf", "EXO_80.DAT VEXO_80.DA VEXO_8X.DAT");
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem1.inf", kVexo80), 1);
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem2.inf", kVexo80), 1);
  for (int i = 3; i <= 5; ++i) {
    EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem" + Decimal(i) + u".inf", kVexo80), 0) << i;
  }
}

TEST_F(PackageCleanupTest, InfIsOpenedReadOnlyInBinaryAndReadWholeInOneRead) {
  AddInf(u"C:\\Windows\\inf\\oem1.inf", std::string(20000, 'x') + "VEXO_80.DAT");
  EXPECT_EQ(Contains(u"C:\\Windows\\inf\\oem1.inf", kVexo80), 1);
  EXPECT_EQ(files_.calls, (std::vector<std::string>{"fopen(\"C:\\Windows\\inf\\oem1.inf\", \"rb\")", "fseek(0, 2)",
                                                    "ftell", "fseek(0, 0)", "fread(1, 20011)",
                                                    "fclose(\"C:\\Windows\\inf\\oem1.inf\")"}));
}

// A search reads the folder's files one after the other into one buffer: a
// long file followed by a short one must not match on what the long one left
// behind it.
TEST_F(PackageCleanupTest, AShortFileAfterALongOneIsSearchedOnlyInItsOwnBytes) {
  AddInf(u"C:\\Windows\\inf\\oem1.inf", std::string(5000, 'x') + "VEXO_58.DAT VEXO_80.DAT");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", std::string(4990, 'y'));
  AddInf(u"C:\\Windows\\inf\\oem3.inf", "VEXO_80.DAT");
  EXPECT_EQ(Found(kVexo58), u"oem1.inf");
  files_.File("C:\\Windows\\inf\\oem1.inf").bytes = std::string(5000, 'x') + "VEXO_58.DAT";
  EXPECT_EQ(Found(kVexo80), u"oem3.inf");
}

TEST_F(PackageCleanupTest, SearchTakesTheFirstMatchingPackageInSearchOrder) {
  AddInf(u"C:\\Windows\\inf\\oem7.inf", "[x]\r\nVEXO_58.DAT\r\n");
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem12.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\usbprint.inf", kAnsiInf);  // not a published package
  EXPECT_EQ(Found(kVexo80), u"oem3.inf");
  EXPECT_EQ(Found(kVexo58), u"oem7.inf");
  EXPECT_EQ(search_.calls[0], "GetSystemDirectoryW(size=260)");
  EXPECT_EQ(search_.calls[1], "FindFirstFileW(\"C:\\Windows\\inf\\oem*.inf\")");
  EXPECT_EQ(search_.OpenSearches(), 0u);
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n"}));
}

TEST_F(PackageCleanupTest, FileNamesThatCmdWouldInterpretAreNeverUsed) {
  AddInf(u"C:\\Windows\\inf\\oem1&calc.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem2 x.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem%PATH%.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem9.inf", kAnsiInf);
  EXPECT_EQ(Found(kVexo80), u"oem9.inf");
}

TEST_F(PackageCleanupTest, DeletesThePackageThroughCmdAndPnputil) {
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kAnsiInf);
  AddInf(u"C:\\Windows\\inf\\oem4.inf", kAnsiInf);
  PnputilDeletesPackages();
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 1);
  ASSERT_EQ(processes_.starts.size(), 1u);
  const kit::fakes::FakeProcessStart& start = processes_.starts[0];
  EXPECT_EQ(start.applicationName, kSystemCmd);
  EXPECT_EQ(start.commandLine, u"cmd /D /C \"C:\\Windows\\system32\\pnputil.exe\" -f -d oem3.inf");
  EXPECT_EQ(start.currentDirectory, std::optional<std::u16string>(u"C:\\Windows\\system32"));
  EXPECT_EQ(start.ran, (std::vector<std::u16string>{u"C:\\Windows\\system32\\pnputil.exe"}));
  EXPECT_EQ(start.startup.cb, 104u);
  EXPECT_EQ(start.startup.dwFlags, platform::kStartfUseShowWindow);
  EXPECT_EQ(start.startup.wShowWindow, platform::kSwHide);
  EXPECT_EQ(start.startup.lpDesktop, nullptr);
  EXPECT_EQ(start.startup.dwX, 0u);
  EXPECT_FALSE(start.processAttributes || start.threadAttributes || start.inheritHandles || start.environment);
  EXPECT_EQ(start.creationFlags, 0u);
  EXPECT_EQ(processes_.calls,
            (std::vector<std::string>{"CreateProcessW(\"C:\\Windows\\system32\\cmd.exe\", \"cmd /D /C "
                                      "\"C:\\Windows\\system32\\pnputil.exe\" -f -d oem3.inf\")",
                                      "WaitForSingleObject(process, INFINITE)", "CloseHandle(thread)",
                                      "CloseHandle(process)"}));
  EXPECT_EQ(processes_.OpenHandles(), 0u);
  EXPECT_FALSE(Exists(u"C:\\Windows\\inf\\oem3.inf"));
  EXPECT_TRUE(Exists(u"C:\\Windows\\inf\\oem4.inf"));
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem3.inf\r\n",
                           "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n"}));
}

TEST_F(PackageCleanupTest, APlantedPnputilAndTheAutoRunCommandNeverRunElevated) {
  // Started from a download folder that also holds a pnputil.exe, on a
  // machine whose command processor has an AutoRun command.
  processes_.currentDirectory = u"C:\\Users\\Public\\Downloads";
  processes_.programs.push_back(u"C:\\Users\\Public\\Downloads\\pnputil.exe");
  processes_.autoRun = u"C:\\Users\\Public\\Downloads\\setup.cmd";
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kAnsiInf);
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 1);
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].ran, (std::vector<std::u16string>{u"C:\\Windows\\system32\\pnputil.exe"}));
}

TEST_F(PackageCleanupTest, CmdComesFromTheSystemDirectoryEvenWhenTheFixedPathHoldsOne) {
  // Windows on drive D:, where C:\windows\system32 is a folder any user may
  // have created, with a cmd.exe of his in it.
  search_.systemDirectory = u"D:\\Windows\\system32";
  search_.folders = {u"D:\\Windows\\inf"};
  processes_.systemDirectory = u"D:\\Windows\\system32";
  AddInf(u"D:\\Windows\\inf\\oem5.inf", kAnsiInf);
  processes_.programs = {u"D:\\Windows\\system32\\cmd.exe", u"D:\\Windows\\system32\\pnputil.exe",
                         u"C:\\windows\\system32\\cmd.exe"};
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 1);
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].applicationName, u"D:\\Windows\\system32\\cmd.exe");
  EXPECT_EQ(processes_.starts[0].commandLine, u"cmd /D /C \"D:\\Windows\\system32\\pnputil.exe\" -f -d oem5.inf");
  EXPECT_EQ(processes_.starts[0].ran, (std::vector<std::u16string>{u"D:\\Windows\\system32\\pnputil.exe"}));
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=D:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem5.inf\r\n", "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n"}));
}

TEST_F(PackageCleanupTest, NoCommandProcessorAtAll) {
  AddInf(u"C:\\Windows\\inf\\oem5.inf", kAnsiInf);
  processes_.programs = {u"C:\\Kit\\cmd.exe"};  // planted beside the wizard: never run
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0);
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[0].applicationName, kSystemCmd);
  EXPECT_EQ(processes_.starts[1].applicationName, kSystemCmd);
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem5.inf\r\n", "DeleteMyInfFile:: ExecuteCmdByProcess Fail1\r\n",
                           "DeleteMyInfFile:: ExecuteCmdByProcess Fail2\r\n"}));
}

TEST_F(PackageCleanupTest, NothingToDelete) {
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0);  // no oem*.inf at all
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "GetMyOemInfFile::FindFirstFile error=2\r\n", "DeleteMyInfFile:: GetMyOemInfFile Fail\r\n"}));
  ClearLog();
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "[x]\r\nVEXO_58.DAT\r\n");
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0);
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile:: GetMyOemInfFile Fail\r\n"}));
  EXPECT_TRUE(processes_.starts.empty());
  EXPECT_EQ(search_.OpenSearches(), 0u);
}

TEST_F(PackageCleanupTest, ExecuteRefusesACommandThatWouldBeCut) {
  // "cmd /D /C " and the command in 520 characters with the terminator.
  EXPECT_EQ(ExecuteCmdByProcess(processes_, kSystemCmd, std::u16string(509, u'a').c_str(), nullptr), 1);
  EXPECT_EQ(ExecuteCmdByProcess(processes_, kSystemCmd, std::u16string(510, u'a').c_str(), nullptr), 0);
  EXPECT_EQ(processes_.starts.size(), 1u);
}

}  // namespace
}  // namespace quispor::removal::test
