#include "wizard/removal/PackageCleanup.h"

#include <algorithm>

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
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0u);
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
                                      "WaitForSingleObject(process, INFINITE)", "GetExitCodeProcess(process)",
                                      "CloseHandle(thread)", "CloseHandle(process)",
                                      "FormatMessageW(flags=0x1200, 0, language=0)"}));
  EXPECT_EQ(processes_.OpenHandles(), 0u);
  EXPECT_FALSE(Exists(u"C:\\Windows\\inf\\oem3.inf"));
  EXPECT_TRUE(Exists(u"C:\\Windows\\inf\\oem4.inf"));
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem3.inf\r\n",
                           "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n",
                           "DeleteMyInfFile:: pnputil exit code=0 (The operation completed successfully.)\r\n"}));
}

// cmd /C ends with pnputil's exit code: read once the child has ended,
// logged with the system's text for it, and the package step's code.
TEST_F(PackageCleanupTest, PnputilsExitCodeIsTheStepsCodeWithTheSystemsText) {
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kAnsiInf);
  struct Case {
    uint32_t exitCode;
    std::string logged;
    std::u16string note;
  };
  const Case cases[] = {
      {5, "pnputil exit code=5 (Access is denied.)", u"pnputil deleting oem3.inf exited with 5 (Access is denied.)"},
      {3010, "pnputil exit code=3010 (The requested operation is successful. Changes will not be effective until "
             "the system is rebooted.)",
       u"pnputil deleting oem3.inf exited with 3010 (The requested operation is successful. Changes will not be "
       u"effective until the system is rebooted.)"},
      {0xE0000203, "pnputil exit code=-536870397\r\r\n", u"pnputil deleting oem3.inf exited with 3758096899"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exitCode);
    ClearLog();
    processes_.exitCode = c.exitCode;
    kit::fakes::RecordingReport report;
    EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80, &report), c.exitCode);
    EXPECT_NE(Log().find("DeleteMyInfFile:: ExecuteCmdByProcess Success\r\r\n\r\nDeleteMyInfFile:: " + c.logged),
              std::string::npos)
        << Log();
    EXPECT_EQ(report.notes, std::vector<std::u16string>{c.note});
    EXPECT_EQ(report.steps, (std::vector<kit::fakes::RecordingReport::Step>{
                                {SequenceStep::PackageDeleted, u"oem3.inf", c.exitCode}}));
  }
  // No command processor: 1627, as the step says.
  processes_.programs.clear();
  kit::fakes::RecordingReport report;
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80, &report), 1627u);
  EXPECT_EQ(report.steps.back().code, 1627u);
}

TEST_F(PackageCleanupTest, TheMakersPackagesAreEveryInfNamingAModelsDataFileEachReadOnce) {
  AddInf(u"C:\\Windows\\inf\\oem9.inf", "[x]\r\nVEXO_58.DAT\r\n");
  AddInf(u"C:\\Windows\\inf\\oem2.inf", "[x]\r\nOTHER.DAT\r\n");
  AddInf(u"C:\\Windows\\inf\\oem4.inf", Utf16("[x]\r\nVEXO_216.DAT VEXO_80.DAT\r\n"));
  AddInf(u"C:\\Windows\\inf\\oem5&x.inf", kAnsiInf);  // a name cmd would read
  AddInf(u"C:\\Windows\\inf\\oem7.inf", "VEXO_PRINTER.DAT");
  AddInf(u"C:\\Windows\\inf\\usbprint.inf", kAnsiInf);
  EXPECT_EQ(FindMakerPackages(removal_), (std::vector<std::u16string>{u"oem9.inf", u"oem4.inf", u"oem7.inf"}));
  EXPECT_EQ(std::count_if(files_.calls.begin(), files_.calls.end(),
                          [](const std::string& c) { return c.rfind("fopen", 0) == 0; }),
            4);
  EXPECT_EQ(search_.OpenSearches(), 0u);
  EXPECT_EQ(Log(), "");
  search_.paths.clear();
  EXPECT_TRUE(FindMakerPackages(removal_).empty());
  search_.folders.clear();
  EXPECT_TRUE(FindMakerPackages(removal_).empty());
  EXPECT_EQ(Log(), Stored({"FindMakerPackages::FindFirstFile error=3\r\n"}));
}

TEST_F(PackageCleanupTest, APlantedPnputilAndTheAutoRunCommandNeverRunElevated) {
  // Started from a download folder that also holds a pnputil.exe, on a
  // machine whose command processor has an AutoRun command.
  processes_.currentDirectory = u"C:\\Users\\Public\\Downloads";
  processes_.programs.push_back(u"C:\\Users\\Public\\Downloads\\pnputil.exe");
  processes_.autoRun = u"C:\\Users\\Public\\Downloads\\setup.cmd";
  AddInf(u"C:\\Windows\\inf\\oem3.inf", kAnsiInf);
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0u);
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
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0u);
  ASSERT_EQ(processes_.starts.size(), 1u);
  EXPECT_EQ(processes_.starts[0].applicationName, u"D:\\Windows\\system32\\cmd.exe");
  EXPECT_EQ(processes_.starts[0].commandLine, u"cmd /D /C \"D:\\Windows\\system32\\pnputil.exe\" -f -d oem5.inf");
  EXPECT_EQ(processes_.starts[0].ran, (std::vector<std::u16string>{u"D:\\Windows\\system32\\pnputil.exe"}));
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=D:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem5.inf\r\n", "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\n",
                           "DeleteMyInfFile:: pnputil exit code=0 (The operation completed successfully.)\r\n"}));
}

TEST_F(PackageCleanupTest, NoCommandProcessorAtAll) {
  AddInf(u"C:\\Windows\\inf\\oem5.inf", kAnsiInf);
  processes_.programs = {u"C:\\Kit\\cmd.exe"};  // planted beside the wizard: never run
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 1627u);  // ERROR_FUNCTION_FAILED
  ASSERT_EQ(processes_.starts.size(), 2u);
  EXPECT_EQ(processes_.starts[0].applicationName, kSystemCmd);
  EXPECT_EQ(processes_.starts[1].applicationName, kSystemCmd);
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "DeleteMyInfFile::infPath=oem5.inf\r\n", "DeleteMyInfFile:: ExecuteCmdByProcess Fail1\r\n",
                           "DeleteMyInfFile:: ExecuteCmdByProcess Fail2\r\n"}));
}

TEST_F(PackageCleanupTest, NothingToDelete) {
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0u);  // no oem*.inf at all
  EXPECT_EQ(Log(), Stored({"GetMyOemInfFile::searchFileName=C:\\Windows\\inf\\oem*.inf\r\n",
                           "GetMyOemInfFile::FindFirstFile error=2\r\n", "DeleteMyInfFile:: GetMyOemInfFile Fail\r\n"}));
  ClearLog();
  AddInf(u"C:\\Windows\\inf\\oem1.inf", "[x]\r\nVEXO_58.DAT\r\n");
  EXPECT_EQ(DeleteMyInfFile(removal_, kVexo80), 0u);
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
